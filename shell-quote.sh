# Read with "." by the set-up scripts that print a path for a person to use in a command.
# shellcheck shell=sh

# The word as the shell reads it back: quoted only where it needs it.
quote() {
  case $1 in
    '' | *[!A-Za-z0-9_./,:=@%+-]*) ;;
    *)
      printf '%s' "$1"
      return 0
      ;;
  esac
  rest=$1
  quoted=""
  while :; do
    case $rest in
      *\'*)
        quoted="$quoted${rest%%\'*}'\\''"
        rest=${rest#*\'}
        ;;
      *) break ;;
    esac
  done
  printf "'%s'" "$quoted$rest"
}
