#!/bin/sh
# Shared body of GoNec.bat and GoNecGN.bat: GoNecRun.sh DECK
# The engine gets short relative file names only: it refuses long ones.
deck="$1"
here="$(dirname "$0")"
engine=nec2c

[ -f "$deck" ] || { echo "deck $deck not found" >&2; exit 2; }
rm -f Outdata.nec2c.txo
"$engine" -i "$deck" -o Outdata.nec2c.txo >/dev/null || exit $?
[ -s Outdata.nec2c.txo ] || { echo "the engine wrote no listing" >&2; exit 3; }
"$here/nec2c-classic" Outdata.nec2c.txo Outdata.txo || exit 4
[ -s Outdata.txo ] || exit 5
exit 0
