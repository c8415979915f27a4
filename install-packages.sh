#!/bin/sh
# Installs the Debian packages for the tools that a task of the project uses, when a tool is
# missing.
#
#   ./install-packages.sh GROUP...
#
#   program  building the program (run.sh): a C++ compiler, cmake and ninja
#   journal  hledger and ledger, to look at the journal that the program books into
#   tests    building and running every test (test.sh): program and journal, GoogleTest and
#            GoogleMock, shellcheck
#   bench    building the benchmarks (bench/run): program, GoogleTest and GoogleMock (the build
#            that holds the benchmarks configures the tests too)
#   fuzz     building the fuzz targets (fuzz/run): clang with its libFuzzer runtime, cmake, ninja,
#            GoogleTest and GoogleMock
#
# It looks for the tools themselves, not for the packages that usually bring them, so a compiler
# or a cmake that came another way counts as well. With everything in place it does nothing: no
# root, no sudo, not even "apt-get update". Installing needs root or sudo; without either it names
# what is missing and the packages that hold it, and stops.
set -eu

say() { printf 'install-packages.sh: %s\n' "$1" >&2; }

groups=""
for group in "$@"; do
  case $group in
    program | journal | tests | bench | fuzz) groups="$groups $group" ;;
    *)
      say "unbekannte Gruppe \"$group\" (program, journal, tests, bench oder fuzz)"
      exit 2
      ;;
  esac
done
[ -n "$groups" ] || {
  say "Aufruf: ./install-packages.sh program|journal|tests|bench|fuzz ..."
  exit 2
}

have() { command -v "$1" >/dev/null 2>&1; }

# What is missing: one line "  - TOOL (Paket PACKAGE)" each, and the packages that hold it.
missing=""
packages=""
lack() {
  case " $packages " in *" $2 "*) return 0 ;; esac
  packages="$packages $2"
  missing="$missing
  - $1 (Paket $2)"
}

# The C++ compiler that CMake takes: the one named by CXX, else the first of its usual names.
cxx=""
find_cxx() {
  cxx=""
  if [ -n "${CXX:-}" ]; then
    have "${CXX%% *}" && cxx=${CXX%% *}
    return 0
  fi
  for name in c++ g++ clang++; do
    if have "$name"; then
      cxx=$name
      return 0
    fi
  done
}

need_compiler() {
  if [ -z "$cxx" ]; then
    if [ -n "${CXX:-}" ]; then
      lack "der C++-Compiler \"$CXX\" aus CXX" g++
    else
      lack "ein C++-Compiler" g++
    fi
  fi
}

need_tool() { # need_tool COMMAND PACKAGE
  have "$1" || lack "$1" "$2"
}

# GoogleTest and GoogleMock as the compiler sees them: their headers and their libraries. Without
# a compiler there is nothing to ask, and they count as missing.
compiler_has_header() {
  printf '#if !__has_include(<%s>)\n#error missing\n#endif\n' "$1" |
    "$cxx" -x c++ -E - >/dev/null 2>&1
}
compiler_has_library() {
  for file in "lib$1.a" "lib$1.so"; do
    found=$("$cxx" -print-file-name="$file" 2>/dev/null) || continue
    [ "$found" = "$file" ] || return 0
  done
  return 1
}
need_googletest() {
  if [ -z "$cxx" ] || ! compiler_has_header gtest/gtest.h || ! compiler_has_library gtest; then
    lack "GoogleTest" libgtest-dev
  fi
  if [ -z "$cxx" ] || ! compiler_has_header gmock/gmock.h || ! compiler_has_library gmock; then
    lack "GoogleMock" libgmock-dev
  fi
}

# clang++ and its libFuzzer runtime, which lies in clang's resource folder (lib/linux/ or, in
# newer versions, lib/TARGET/). Its package follows the installed clang's major version; while
# clang is missing, the runtime is looked for after clang has been installed.
need_fuzzer() {
  if ! have clang++; then
    lack "clang++" clang
    return 0
  fi
  resources=$(clang++ -print-resource-dir 2>/dev/null) || resources=""
  if [ -n "$resources" ]; then
    for file in "$resources"/lib/*/libclang_rt.fuzzer-*.a "$resources"/lib/*/libclang_rt.fuzzer.a; do
      [ -f "$file" ] && return 0
    done
  fi
  version=$(clang++ -dumpversion 2>/dev/null) || version=""
  case ${version%%.*} in
    '' | *[!0-9]*)
      lack "die libFuzzer-Laufzeit von clang++ (Version unbekannt)" libclang-rt-dev
      ;;
    *) lack "die libFuzzer-Laufzeit von clang++ ${version%%.*}" "libclang-rt-${version%%.*}-dev" ;;
  esac
}

check() {
  missing=""
  packages=""
  find_cxx
  for group in $groups; do
    case $group in
      program)
        need_compiler
        need_tool cmake cmake
        need_tool ninja ninja-build
        ;;
      journal)
        need_tool hledger hledger
        need_tool ledger ledger
        ;;
      tests)
        need_compiler
        need_tool cmake cmake
        need_tool ninja ninja-build
        need_tool hledger hledger
        need_tool ledger ledger
        need_tool shellcheck shellcheck
        need_googletest
        ;;
      bench)
        need_compiler
        need_tool cmake cmake
        need_tool ninja ninja-build
        need_googletest
        ;;
      fuzz)
        need_fuzzer
        need_tool cmake cmake
        need_tool ninja ninja-build
        need_googletest
        ;;
    esac
  done
}

check
[ -n "$packages" ] || exit 0

if ! have apt-get; then
  say "es fehlt:$missing"
  say "Hier gibt es kein apt-get: bitte selbst installieren, was fehlt."
  exit 1
fi
if [ "$(id -u)" = 0 ]; then
  as_root=""
elif have sudo; then
  as_root="sudo"
else
  say "es fehlt:$missing"
  say "Zum Installieren braucht es root oder sudo, z. B. als root:"
  say "  apt-get update && apt-get install -y$packages"
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
installed=""
updated=no
# A second round installs what could only be chosen once the first was there (the libFuzzer
# runtime that fits the clang just installed); a package that is installed and still leaves its
# tool missing ends it.
while [ -n "$packages" ]; do
  for package in $packages; do
    case " $installed " in
      *" $package "*)
        say "es fehlt weiterhin:$missing"
        say "obwohl die Pakete$packages installiert sind; bitte PATH und CXX prüfen."
        exit 1
        ;;
    esac
  done
  say "es fehlt:$missing"
  say "installiere die Pakete$packages"
  if [ "$updated" = no ]; then
    if ! $as_root apt-get update >&2; then
      say "\"apt-get update\" ist fehlgeschlagen (Ausgabe oben); nichts wurde installiert"
      exit 1
    fi
    updated=yes
  fi
  # shellcheck disable=SC2086
  if ! $as_root apt-get install -y --no-install-recommends $packages >&2; then
    say "die Pakete$packages konnten nicht installiert werden (Ausgabe von apt-get oben)"
    exit 1
  fi
  installed="$installed $packages"
  check
done
