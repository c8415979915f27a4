#!/bin/sh
# Installs the Debian packages that a task of the project needs, when any of them is missing.
#
#   ./install-packages.sh GROUP...
#
#   program  building the program (run.sh)
#   journal  hledger and ledger, to look at the journal that the program books into
#   tests    building and running every test (test.sh); includes program and journal
#   fuzz     building the fuzz targets with clang and libFuzzer (fuzz/run)
#
# With everything in place it does nothing, not even "apt-get update". Installing needs root or
# sudo; without either it names the missing packages and stops.
set -eu

program_packages="build-essential cmake ninja-build"
journal_packages="hledger ledger"
test_packages="$program_packages $journal_packages libgtest-dev libgmock-dev shellcheck"
fuzz_packages="clang libclang-rt-14-dev"

say() { printf 'install-packages.sh: %s\n' "$1" >&2; }

wanted=""
for group in "$@"; do
  case $group in
    program) wanted="$wanted $program_packages" ;;
    journal) wanted="$wanted $journal_packages" ;;
    tests) wanted="$wanted $test_packages" ;;
    fuzz) wanted="$wanted $fuzz_packages" ;;
    *)
      say "unbekannte Gruppe \"$group\" (program, journal, tests oder fuzz)"
      exit 2
      ;;
  esac
done
[ -n "$wanted" ] || {
  say "Aufruf: ./install-packages.sh program|journal|tests|fuzz ..."
  exit 2
}

if ! command -v dpkg-query >/dev/null 2>&1; then
  say "kein Debian-System: bitte selbst installieren, was diese Pakete enthalten:$wanted"
  exit 0
fi

missing=""
for package in $wanted; do
  case " $missing " in *" $package "*) continue ;; esac
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing="$missing $package"
done
[ -n "$missing" ] || exit 0

if [ "$(id -u)" = 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1; then
  as_root="sudo"
else
  say "es fehlen die Pakete$missing."
  say "Zum Installieren braucht es root oder sudo, z. B. als root:"
  say "  apt-get update && apt-get install -y$missing"
  exit 1
fi

say "installiere die fehlenden Pakete$missing"
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
if ! $as_root apt-get update >&2 || ! $as_root apt-get install -y --no-install-recommends $missing >&2; then
  say "die Pakete$missing konnten nicht installiert werden (Ausgabe von apt-get oben)"
  exit 1
fi
