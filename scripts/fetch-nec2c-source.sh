#!/usr/bin/env bash
# Fetches Debian's nec2c source package into a cache folder, for the fast engine
# nec2c-blas (engine/nec2c-blas): fetch-nec2c-source.sh CACHE
#
# The package comes through `apt-get source` with a private source list derived from this
# machine's own apt configuration: every "deb" entry of /etc/apt/sources.list and
# /etc/apt/sources.list.d becomes a "deb-src" entry in CACHE/apt. The system's sources,
# package lists and caches stay untouched. An unpacked source already in CACHE is kept,
# so a rebuild does not fetch again.
#
# Leaves the unpacked source in CACHE/nec2c and exits 0, or says once why it cannot,
# leaves the mark CACHE/unavailable (the build then does not ask again by itself) and exits
# 1: the program keeps using nec2c.
set -u
cache="${1:?usage: fetch-nec2c-source.sh CACHE}"
source_dir="$cache/nec2c"
# The machine's apt configuration folder (another one only for the tests of this script).
apt_etc="${VRN_APT_ETC:-/etc/apt}"
[ -f "$source_dir/matrix.c" ] && [ -f "$source_dir/debian/copyright" ] && exit 0

say_no() {
    echo "nec2c-blas: $* The program keeps using nec2c." >&2
    rm -rf "$cache/download"
    mkdir -p "$cache" && echo "$*" >"$cache/unavailable"
    exit 1
}
command -v apt-get >/dev/null || say_no "apt-get is missing, so Debian's nec2c source cannot be fetched."
command -v dpkg-source >/dev/null || say_no "dpkg-source (package dpkg-dev) is missing."

apt_dir="$cache/apt"
rm -rf "$apt_dir"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$cache/download" \
    || say_no "cannot create $cache."
: >"$apt_dir/sources.list"

# deb822 files: "Types: deb" (also "Types: deb deb-src") becomes "Types: deb-src"; entries
# without "deb" keep their types.
for file in "$apt_etc"/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '/^[Tt]ypes:/ { if ($0 ~ /[ \t]deb([ \t]|$)/) { print "Types: deb-src"; next } }
         { print }' "$file" >"$apt_dir/sources.list.d/$(basename "$file")"
done
# One-line format: every "deb" line once more as "deb-src".
for file in "$apt_etc"/sources.list "$apt_etc"/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    sed -n 's/^[ \t]*deb[ \t]/deb-src /p' "$file" >>"$apt_dir/sources.list"
done
if [ ! -s "$apt_dir/sources.list" ] && [ -z "$(ls "$apt_dir/sources.list.d")" ]; then
    say_no "this machine's apt configuration names no package source."
fi

options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "Dir::Cache::pkgcache="
    -o "Dir::Cache::srcpkgcache="
    -o "Acquire::Retries=1"
    -o "Acquire::http::Timeout=30"
    -o "Acquire::https::Timeout=30"
)
# Root downloads into a folder the apt sandbox user may not reach; it downloads as itself.
[ "$(id -u)" -eq 0 ] && options+=(-o "APT::Sandbox::User=root")

log="$apt_dir/apt.log"
if ! timeout 300 apt-get "${options[@]}" -q update >"$log" 2>&1; then
    say_no "the package sources could not be read (apt-get update failed, see $log)."
fi
rm -rf "$cache/download"/*
if ! (cd "$cache/download" && timeout 300 apt-get "${options[@]}" -q source nec2c) >>"$log" 2>&1; then
    say_no "Debian's nec2c source package could not be fetched (see $log)."
fi
unpacked=("$cache"/download/nec2c-*/)
[ -d "${unpacked[0]}" ] && [ -f "${unpacked[0]}/matrix.c" ] || say_no "the fetched nec2c source has no matrix.c."
rm -rf "$source_dir"
mv "${unpacked[0]}" "$source_dir" || say_no "cannot move the source into $source_dir."
rm -rf "$cache/download" "$apt_dir/lists" "$apt_dir/cache" "$cache/unavailable"
exit 0
