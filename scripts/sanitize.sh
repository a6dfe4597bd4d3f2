#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs the
# tests there. Any memory error or undefined behaviour fails the run.
#   --without-screens  only the tests below the screens (core, data, render, the command line
#                      and the database maker): about half the build, for a tight time budget
set -euo pipefail
cd "$(dirname "$0")/.."
target=all
labels=()
if [ "${1:-}" = "--without-screens" ]; then
    target=tests_without_screens
    labels=(-LE gui)
fi
bash scripts/deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE= -DTESVANE_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -O0 -g1" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$(nproc)" --target "$target"
cd build-asan
# Qt and fontconfig keep caches until exit; leaks are not what this run looks for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "${labels[@]}"
