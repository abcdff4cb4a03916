#!/bin/sh
# Starts an installed Zanderfell.
#
# The game reads Images/, Sounds/ and Files/ from the directory it runs in,
# rewrites Files/RandomFile.txt on every draw and keeps the player's sound
# choice in Sound.txt, so each player gets a directory of their own:
# $XDG_DATA_HOME/zanderfell (else ~/.local/share/zanderfell). The pictures,
# the sounds and the landscapes stay shared and read-only under
# <prefix>/share/zanderfell and are only linked from there;
# the random state is copied once and then belongs to the player: it is never
# overwritten.
#
# The prefix is found from where this script lies (<prefix>/bin), so a copy
# installed anywhere works.
set -u

say() { printf 'zanderfell: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

# <prefix>/bin/zanderfell, following a link to the launcher if there is one.
self=$0
case $self in
  */*) ;;
  *) if [ -f "$self" ]; then self=./$self; else self=$(command -v -- "$self") || die "cannot find where the launcher lies"; fi ;;
esac
if [ -L "$self" ]; then
  self=$(readlink -f -- "$self" 2>/dev/null) || die "cannot follow the link $0"
fi
bindir=$(cd -- "$(dirname -- "$self")" && pwd -P) || die "cannot enter the directory of $self"
prefix=$(dirname -- "$bindir")
data=$prefix/share/zanderfell
game=$prefix/libexec/zanderfell/zanderfell

[ -x "$game" ] || die "the game is missing: $game"
if [ ! -d "$data/Images" ] || [ ! -d "$data/Files" ]; then die "the game's data is missing: $data"; fi
[ -f "$data/Files/RandomFile.txt" ] || die "the first random state is missing: $data/Files/RandomFile.txt"

# XDG: an unset, empty or relative XDG_DATA_HOME means ~/.local/share.
case ${XDG_DATA_HOME:-} in
  /*) base=$XDG_DATA_HOME ;;
  *)
    [ -n "${HOME:-}" ] || die "neither XDG_DATA_HOME nor HOME is set: nowhere to keep the game's state"
    base=$HOME/.local/share
    ;;
esac
home=$base/zanderfell
files=$home/Files

first=no
[ -d "$home" ] || first=yes
mkdir -p -- "$files" || die "cannot create $files"

# Points LINK at TARGET. A link of ours that points elsewhere (an older or a
# moved install) is pointed anew; a real file or directory in its place is
# the player's and is left alone.
link() {
  if [ -L "$2" ]; then
    [ "$(readlink -- "$2")" = "$1" ] && return 0
    rm -f -- "$2" || die "cannot replace the link $2"
  elif [ -e "$2" ]; then
    return 0
  fi
  ln -s -- "$1" "$2" || die "cannot link $2 to $1"
}

link "$data/Images" "$home/Images"
# Without Sounds/ the game still plays, silent.
[ -d "$data/Sounds" ] && link "$data/Sounds" "$home/Sounds"
for level in "$data"/Files/Level*.txt; do
  [ -f "$level" ] || continue
  link "$level" "$files/$(basename -- "$level")"
done

# The random state: copied once, writable, and from then on the player's own.
# The copy is made under another name and linked into place, so a state file
# that appears meanwhile (a second start at the same moment) is never replaced.
state=$files/RandomFile.txt
copied=no
if [ ! -e "$state" ] && [ ! -L "$state" ]; then
  tmp=$files/.RandomFile.txt.$$
  if ! cp -- "$data/Files/RandomFile.txt" "$tmp" || ! chmod u+w -- "$tmp"; then
    rm -f -- "$tmp"
    die "cannot copy the random state into $files"
  fi
  if ln -- "$tmp" "$state" 2>/dev/null; then
    copied=yes
  elif [ ! -e "$state" ] && mv -- "$tmp" "$state"; then
    copied=yes
  fi
  rm -f -- "$tmp"
fi
# The game writes the state through a new file renamed over the old one.
[ -w "$files" ] || die "$files is not writable: the game could not keep its random state"

if [ "$first" = yes ]; then
  say "first start: made $home for your games,"
  say "with the pictures, sounds and landscapes linked from $data and your own copy of Files/RandomFile.txt."
elif [ "$copied" = yes ]; then
  say "Files/RandomFile.txt was missing in $home: started again from the first random state."
fi

# Files named on the command line (a record to watch or verify) are found
# from where the player started the game.
ZANDERFELL_CALLER_DIR=$(pwd)
export ZANDERFELL_CALLER_DIR
cd -- "$home" || die "cannot enter $home"
exec "$game" "$@"
