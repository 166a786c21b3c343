#!/bin/sh
# Runs the NEC-2 engine on the deck Indata.txo in the current folder and leaves the
# listing in Outdata.txo, rewritten into the classic column layout that the program reads.
# The engine's own listing stays beside it as Outdata.nec2c.txo.
# Exits 0 only when the engine succeeded and the listing exists.
case "$0" in */*) here="${0%/*}" ;; *) here=. ;; esac
exec "$here/GoNecRun.sh" Indata.txo
