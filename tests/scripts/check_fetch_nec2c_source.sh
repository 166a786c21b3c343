#!/usr/bin/env bash
# scripts/fetch-nec2c-source.sh with a scripted apt-get: the private source list derived
# from an apt configuration (deb entries become deb-src, the configuration itself stays
# untouched), apt-get pointed at the private folder, one message and a mark when the
# source cannot be had, the unpacked source moved into the cache, and no second fetch.
#   check_fetch_nec2c_source.sh SCRIPT
set -u
script="${1:?usage: check_fetch_nec2c_source.sh SCRIPT}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

# The stand-in apt-get notes its arguments; "update" fails unless APT_UPDATE_OK is set,
# "source" unpacks a small nec2c tree into the current folder.
mkdir -p "$scratch/bin"
cat >"$scratch/bin/apt-get" <<'STUB'
#!/bin/sh
echo "$*" >>"$APT_CALLS"
case "$*" in
    *" update") [ -n "${APT_UPDATE_OK:-}" ] || { echo "E: no network" >&2; exit 100; } ;;
    *" source nec2c") mkdir -p nec2c-1.3/debian && echo "int x;" >nec2c-1.3/matrix.c \
                      && echo "License: GPL-2+" >nec2c-1.3/debian/copyright ;;
esac
exit 0
STUB
chmod +x "$scratch/bin/apt-get"

etc="$scratch/etc"
mkdir -p "$etc/sources.list.d"
cat >"$etc/sources.list.d/main.sources" <<'SRC'
Types: deb
URIs: file:/nonexistent/debian
Suites: bookworm
Components: main

Types: deb-src
URIs: file:/nonexistent/other
Suites: bookworm
Components: main
SRC
printf '# a comment\ndeb [signed-by=/k.gpg] file:/nonexistent/extra bookworm main\n' >"$etc/sources.list"
printf 'Types: deb\nURIs: file:/nonexistent/off\n' >"$etc/sources.list.d/off.sources.disabled"
before="$(cd "$etc" && find . -type f -exec md5sum {} + | sort)"

run() {  # run CACHE: the script with the stand-in; stderr in $scratch/err
    APT_CALLS="$scratch/calls" VRN_APT_ETC="$etc" PATH="$scratch/bin:$PATH" \
        bash "$script" "$1" 2>"$scratch/err"
}

# Unreachable sources: exit 1, one line that says nec2c stays, the mark, no source.
cache="$scratch/cache"
: >"$scratch/calls"
run "$cache" && fail "an unreachable source list counts as success"
[ "$(wc -l <"$scratch/err")" -eq 1 ] || fail "not one line: $(cat "$scratch/err")"
grep -q "The program keeps using nec2c." "$scratch/err" || fail "message: $(cat "$scratch/err")"
[ -f "$cache/unavailable" ] || fail "no mark of the failure"
[ ! -e "$cache/nec2c" ] || fail "a source without a fetch"
private="$cache/apt"
grep -qx "Types: deb-src" "$private/sources.list.d/main.sources" || fail "no deb-src entry"
grep -q "^Types: deb$" "$private/sources.list.d/main.sources" && fail "a binary entry stays in the private list"
[ "$(grep -c '^Types: deb-src$' "$private/sources.list.d/main.sources")" -eq 2 ] || fail "entries lost"
grep -qx "deb-src \[signed-by=/k.gpg\] file:/nonexistent/extra bookworm main" "$private/sources.list" \
    || fail "one-line entry: $(cat "$private/sources.list")"
[ -e "$private/sources.list.d/off.sources.disabled" ] && fail "a disabled file was taken"
for option in "Dir::Etc::SourceList=$private/sources.list" "Dir::Etc::SourceParts=$private/sources.list.d" \
              "Dir::State::Lists=$private/lists" "Dir::Cache=$private/cache"; do
    grep -qF -- "$option" "$scratch/calls" || fail "apt-get without $option: $(cat "$scratch/calls")"
done
[ "$(cd "$etc" && find . -type f -exec md5sum {} + | sort)" = "$before" ] || fail "the apt configuration changed"

# Reachable: the unpacked source lands in CACHE/nec2c and the mark goes.
export APT_UPDATE_OK=1
: >"$scratch/calls"
run "$cache" || fail "fetch failed: $(cat "$scratch/err")"
[ -f "$cache/nec2c/matrix.c" ] && [ -f "$cache/nec2c/debian/copyright" ] || fail "no source in the cache"
[ ! -e "$cache/unavailable" ] || fail "the mark stays after a fetch"
grep -q " source nec2c" "$scratch/calls" || fail "no apt-get source call"

# Cached: no apt-get at all.
: >"$scratch/calls"
run "$cache" || fail "a cached source failed"
[ ! -s "$scratch/calls" ] || fail "fetched again: $(cat "$scratch/calls")"

# A configuration without sources: said once, before any apt-get call.
mkdir -p "$scratch/empty-etc"
: >"$scratch/calls"
APT_CALLS="$scratch/calls" VRN_APT_ETC="$scratch/empty-etc" PATH="$scratch/bin:$PATH" \
    bash "$script" "$scratch/cache2" 2>"$scratch/err" && fail "no sources counts as success"
grep -q "names no package source" "$scratch/err" || fail "message: $(cat "$scratch/err")"
[ ! -s "$scratch/calls" ] || fail "apt-get ran without sources"

[ "$status" -eq 0 ] && echo "fetch-nec2c-source.sh: all checks passed"
exit $status
