#!/bin/sh
# Makes a folder of the checkout ready to be written by run.sh, test.sh, bench/run and fuzz/run,
# or says in German why it cannot be and what mends it. Run from the checkout's top folder.
#
#   ./prepare-folder.sh build FOLDER   a CMake build folder: also made ready for a new
#                                      configuration where it was configured for another place
#                                      (a checkout that was moved or copied)
#   ./prepare-folder.sh data FOLDER    a folder that keeps data (.run/ with the journal)
#
# A folder that cannot be written (after "sudo ./run.sh" it and what is in it belong to root)
# ends it with status 1 and a message that names the folder and the command that mends it.
set -eu

say() { printf '%s\n' "$1" >&2; }

# shellcheck source=shell-quote.sh disable=SC1091 # read along with the scripts that use it
. "$(dirname "$0")/shell-quote.sh"

kind=${1:-}
folder=${2:-}
case $kind in build | data) ;; *) kind="" ;; esac
if [ -z "$kind" ] || [ -z "$folder" ] || [ $# -ne 2 ]; then
  say "Aufruf: ./prepare-folder.sh build|data ORDNER"
  exit 2
fi

path="$PWD/$folder"
shown=$(quote "$path")
if [ -e "$folder" ] && [ ! -d "$folder" ]; then
  say "$path ist kein Ordner; hier gehört der Ordner $folder hin."
  say "Abhilfe: die Datei beiseitelegen, z. B. mit: mv $shown $(quote "$path.alt")"
  exit 1
fi
if [ ! -d "$folder" ] && ! mkdir -p "$folder" 2>/dev/null; then
  say "Der Ordner $path kann nicht angelegt werden: in $PWD darf nicht geschrieben werden."
  say "Abhilfe: sudo chown \"\$(id -un)\" $(quote "$PWD")"
  exit 1
fi

# A real write tells what the permissions alone do not (a read-only file system, for root too);
# a file or folder inside that cannot be written stops a build or the journal later.
probe="$folder/.schreibprobe.$$"
blocked=""
if ! (: >"$probe") 2>/dev/null; then
  blocked=$folder
else
  rm -f "$probe"
  blocked=$(find "$folder" ! -type l ! -writable -print 2>/dev/null | head -n 1)
fi
if [ -n "$blocked" ]; then
  owner=$(stat -c %U -- "$blocked" 2>/dev/null) || owner=""
  me=$(id -un)
  if [ "$blocked" = "$folder" ]; then
    say "In den Ordner $path kann $me nicht schreiben."
  else
    say "Im Ordner $path kann $me nicht in $PWD/$blocked schreiben."
  fi
  if [ -n "$owner" ] && [ "$owner" != "$me" ]; then
    if [ "$owner" = root ]; then
      say "Es gehört root, etwa nach einem Aufruf mit sudo."
    else
      say "Es gehört $owner."
    fi
    mend="sudo chown -R $(quote "$me") $shown"
  else
    mend="chmod -R u+rwX $shown"
  fi
  if [ "$kind" = build ]; then
    say "Abhilfe: $mend"
    say "oder den Bauordner entfernen: sudo rm -rf $shown"
  else
    say "Abhilfe: $mend"
  fi
  exit 1
fi

[ "$kind" = build ] || exit 0

# CMake refuses a cache that was written for another source or build folder. Only the cache and
# CMake's own files go; the rest (objects, kept fuzz findings) stays, and whatever of it was built
# for the old place is built anew.
cache="$folder/CMakeCache.txt"
physical() { (CDPATH='' cd -P -- "$1" 2>/dev/null && pwd -P); }
if [ -f "$cache" ]; then
  home=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
  cachedir=$(sed -n 's/^CMAKE_CACHEFILE_DIR:INTERNAL=//p' "$cache")
  if [ -z "$home" ] || [ -z "$cachedir" ] ||
    [ "$(physical "$home")" != "$(pwd -P)" ] || [ "$(physical "$cachedir")" != "$(physical "$folder")" ]; then
    say "Der Bauordner $path wurde für ${home:-einen anderen Ort} eingerichtet; er wird hier neu eingerichtet."
    rm -rf "$cache" "$folder/CMakeFiles"
  fi
fi
