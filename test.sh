#!/bin/sh
# Builds the program and runs every test. With --sanitize, in a separate build folder with
# AddressSanitizer and UndefinedBehaviorSanitizer. Installs the packages that the build and the
# tests need first when a tool is missing (hledger, ledger and shellcheck among them: the tests
# that use them fail without them). Works from any folder, also through a symbolic link.
set -eu
# Through a symbolic link (or a chain of them) the checkout is the folder of the file that it
# leads to. Without one the folder keeps the path it was started by, which the messages show.
script=$0
if [ -L "$script" ] && ! script=$(readlink -f -- "$script"); then
  echo "Der Ordner von $0 ist nicht zu finden." >&2
  exit 1
fi
cd "$(dirname -- "$script")"
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
