#!/bin/sh
# Builds the program and starts it on the bundled example: the finance application is a copy of
# the example journal in .run/, made on the first run and kept afterwards.
set -eu
cd "$(dirname "$0")"
generator=""
if command -v ninja >/dev/null 2>&1; then generator="-G Ninja"; fi
# shellcheck disable=SC2086
cmake -S . -B build $generator -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" >/dev/null

journal="$PWD/.run/ledger.journal"
mkdir -p .run
[ -f "$journal" ] || cp examples/example.journal "$journal"

echo "Zweimal Tab zu \"Datei auswählen\", Enter, examples/export.csv tippen und Enter;"
echo "Shift+Tab zu \"An Ledrino senden\" und Enter; Strg+Q beendet."
status=0
LEDGER_FILE="$journal" ./build/valtaro-import || status=$?
echo "Die Buchungen stehen im Journal $journal"
echo "Ansehen mit: hledger -f .run/ledger.journal print"
echo "       oder: ledger -f .run/ledger.journal bal"
exit "$status"
