#!/usr/bin/env bash
# Start-up bench: under one virtual X server (Xvfb), starts in turn the program (from a
# copy of its program folder, so that no settings file of the build is touched), a bare Qt
# main window, and a Qt window with the program's first page built by Qt alone
# (bench_page_window), and times each from its start until the X server maps its window
# (the server's own notice, seen by bench_map_timer; no polling). Prints the medians and
# the ratios to the bare window.
#   bench/startup.sh BUILD_DIR [RUNS]
set -eu
build="$(cd "${1:?usage: startup.sh BUILD_DIR [RUNS]}" && pwd)"
runs="${2:-15}"
# A virtual X server of this bench's own, on the first free display from :170.
display=170
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1600x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
server=$!
export DISPLAY=":$display"
folder="$(mktemp -d)"
trap 'kill "$server" 2>/dev/null; rm -rf "$folder"' EXIT
until [ -S "/tmp/.X11-unix/X$display" ]; do
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
sleep 0.2
cp -a "$build/bin/." "$folder/"
rm -f "$folder/VRN_NEC.ini"
program="$folder/VRN_NEC"
bare="$build/bench-bin/bench_bare_window"
page="$build/bench-bin/bench_page_window"
timer="$build/bench-bin/bench_map_timer"

# Milliseconds from the start of COMMAND until the X server maps a window titled TITLE.
time_to_map() {
    "$timer" "$@" 2>"$folder/stderr.txt" || { cat "$folder/stderr.txt" >&2; return 1; }
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

: >"$folder/app.txt"
: >"$folder/bare.txt"
: >"$folder/page.txt"
for _ in $(seq "$runs"); do
    time_to_map "NEC-2 for VORNA files with wires in dielectric coats. (Ver. 1.8.1)" "$program" >>"$folder/app.txt"
    time_to_map "Bare main window" "$bare" >>"$folder/bare.txt"
    time_to_map "First page window" "$page" >>"$folder/page.txt"
done
app=$(median <"$folder/app.txt")
base=$(median <"$folder/bare.txt")
first=$(median <"$folder/page.txt")
echo "program to its main window mapped:       ${app} ms (median of $runs)"
echo "bare Qt main window mapped:              ${base} ms (median of $runs)"
echo "Qt window with the first page's form:    ${first} ms (median of $runs)"
awk -v a="$app" -v b="$base" -v p="$first" \
    'BEGIN {printf "ratio to the bare window: %.2f (the first page alone: %.2f)\n", a / b, p / b}'
