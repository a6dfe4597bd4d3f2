#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the sample data in build/app.
# The delivered databases are copied into build/app/DATA only when absent, never over a
# user's data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available. Start the program under a virtual display:"
    echo "  xvfb-run -s '-screen 0 1600x1000x24' build/app/tesvane"
    exit 1
fi
exec build/app/tesvane "$@"
