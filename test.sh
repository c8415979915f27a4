#!/bin/sh
# Builds the program and runs every test. With --sanitize, in a separate build folder with
# AddressSanitizer and UndefinedBehaviorSanitizer. Installs the packages that the build and the
# tests need first when a tool is missing (hledger, ledger and shellcheck among them: the tests
# that use them fail without them). Works from any folder.
set -eu
cd "$(dirname "$0")"
build=build
flags="-DCMAKE_BUILD_TYPE=RelWithDebInfo"
if [ "${1:-}" = "--sanitize" ]; then
  build="build-sanitize"
  flags="-DCMAKE_BUILD_TYPE=Debug -DVALTARO_SANITIZE=ON"
fi
./prepare-folder.sh build "$build"
./install-packages.sh tests
generator=""
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then generator="-G Ninja"; fi
# shellcheck disable=SC2086
cmake -S . -B "$build" $generator $flags -DVALTARO_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
