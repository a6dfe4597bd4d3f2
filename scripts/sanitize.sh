#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs the
# tests there. Any memory error or undefined behaviour fails the run.
#   (no option)        every test
#   --without-screens  only the tests below the screens (core, data, render, the command line
#                      and the database maker): about two thirds of the build
#   --screens          only the screen tests (after --without-screens, the rest of the build)
# The build's and the tests' output also go to build-asan/sanitize-build.log and
# build-asan/sanitize-tests.log, so that a caller that stops the run can tell how far it got
# (scripts/sanitize-progress.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
target=all
labels=()
case "${1:-}" in
--without-screens)
    target=tests_without_screens
    labels=(-LE gui)
    ;;
--screens)
    labels=(-L gui)
    ;;
"") ;;
*)
    echo "usage: scripts/sanitize.sh [--without-screens | --screens]" >&2
    exit 2
    ;;
esac
bash scripts/deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE= -DTESVANE_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -O0 -g1" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
rm -f build-asan/sanitize-build.log build-asan/sanitize-tests.log
cmake --build build-asan -j"$(nproc)" --target "$target" | tee build-asan/sanitize-build.log
cd build-asan
# Qt and fontconfig keep caches until exit; leaks are not what this run looks for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "${labels[@]}" |
    tee sanitize-tests.log || status=$?
bash ../scripts/sanitize-progress.sh .
exit "$status"
