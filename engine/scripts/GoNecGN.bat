#!/bin/sh
# Runs the NEC-2 engine on the auxiliary deck IndataGN.txo in the current folder and
# leaves the listing in Outdata.txo (classic column layout; the engine's own listing is
# kept as Outdata.nec2c.txo). Exits 0 only when the engine succeeded and the listing exists.
case "$0" in */*) here="${0%/*}" ;; *) here=. ;; esac
exec "$here/GoNecRun.sh" IndataGN.txo
