#!/usr/bin/env bash
# Start-up bench: under one virtual X server (Xvfb), starts the program (from a copy of its
# program folder, so that no settings file of the build is touched) and a bare Qt main
# window in turn, and times each from its start until its window is mapped. Prints the
# medians and their ratio.
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
until xwininfo -root >/dev/null 2>&1; do
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
cp -a "$build/bin/." "$folder/"
rm -f "$folder/VRN_NEC.ini"
program="$folder/VRN_NEC"
bare="$build/bench-bin/bench_bare_window"

# Milliseconds from the start of COMMAND until a window titled TITLE is viewable.
time_to_map() {
    local title="$1"
    shift
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>"$folder/stderr.txt" &
    local pid=$!
    until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "$1 ended before its window was mapped:" >&2
            cat "$folder/stderr.txt" >&2
            return 1
        fi
        sleep 0.002
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

: >"$folder/app.txt"
: >"$folder/bare.txt"
for _ in $(seq "$runs"); do
    time_to_map "NEC-2 for VORNA files with wires in dielectric coats. (Ver. 1.8.1)" "$program" >>"$folder/app.txt"
    time_to_map "Bare main window" "$bare" >>"$folder/bare.txt"
done
app=$(median <"$folder/app.txt")
base=$(median <"$folder/bare.txt")
echo "program to its main window mapped: ${app} ms (median of $runs)"
echo "bare Qt main window mapped:        ${base} ms (median of $runs)"
awk -v a="$app" -v b="$base" 'BEGIN {printf "ratio: %.2f\n", a / b}'
