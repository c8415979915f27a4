#!/bin/sh
# Builds the program alone (no tests, benchmarks or fuzz targets) and starts it on the bundled
# example: the finance application is a copy of the example journal in .run/, made on the first
# run and kept afterwards. Installs the packages it needs first when a tool is missing. Works from
# any folder, also through a symbolic link (~/bin/valtaro): what it prints at the end works from
# the folder it was started in.
set -eu
# Through a symbolic link (or a chain of them) the checkout is the folder of the file that it
# leads to. Without one the folder keeps the path it was started by, which the messages show.
script=$0
if [ -L "$script" ] && ! script=$(readlink -f -- "$script"); then
  echo "Der Ordner von $0 ist nicht zu finden." >&2
  exit 1
fi
cd "$(dirname -- "$script")"

# shellcheck source=shell-quote.sh disable=SC1091 # read along with the scripts that use it
. ./shell-quote.sh

# Both folders first: one that cannot be written is named before anything is installed or built.
./prepare-folder.sh data .run
./prepare-folder.sh build build

./install-packages.sh program
# hledger and ledger only show the bookings afterwards: the program runs without them.
./install-packages.sh journal || echo "Ohne hledger und ledger geht es weiter." >&2

generator=""
if [ ! -f build/CMakeCache.txt ] && command -v ninja >/dev/null 2>&1; then generator="-G Ninja"; fi

log=.run/build.log
echo "Valtaro-Import wird gebaut (beim ersten Mal eine bis zwei Minuten) …"
# shellcheck disable=SC2086
if ! {
  cmake -S . -B build $generator -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVALTARO_TESTS=OFF &&
    cmake --build build -j "$(nproc)" --target valtaro-import
} >"$log" 2>&1; then
  cat "$log" >&2
  echo "Der Bau ist fehlgeschlagen; die Ausgabe steht oben und in $PWD/$log." >&2
  exit 1
fi

journal="$PWD/.run/ledger.journal"
[ -f "$journal" ] || cp examples/example.journal "$journal"

echo "Zweimal Tab zu \"Datei auswählen\", Enter, examples/export.csv tippen und Enter;"
echo "Shift+Tab zu \"An Ledrino senden\" und Enter; Strg+Q beendet."
status=0
LEDGER_FILE="$journal" ./build/valtaro-import || status=$?
echo "Die Buchungen stehen im Journal $journal"
if command -v hledger >/dev/null 2>&1; then echo "Ansehen mit: hledger -f $(quote "$journal") print"; fi
if command -v ledger >/dev/null 2>&1; then echo "Ansehen mit: ledger -f $(quote "$journal") bal"; fi
exit "$status"
