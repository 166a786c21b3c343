#!/usr/bin/env bash
# The Debian package: made by CPack from the build, holding exactly the program folder,
# the launchers and the desktop files, depending on the engine and the toolkit, and
# working when unpacked elsewhere: vrn2nec --run from the unpacked tree, whose program
# folder is read-only, with the user's own engine.conf in the per-user working folder.
# ENGINE "fast": the build has the fast engine nec2c-blas, which the package carries with
# its engine.conf, licence and patch, depending on LAPACKE and OpenBLAS; "nec2c" (the
# default): none of these.
#   check_package.sh BUILD_DIR SAMPLE_VRN [ENGINE]
set -u
build="${1:?usage: check_package.sh BUILD_DIR SAMPLE_VRN [fast|nec2c]}"
sample="${2:?usage: check_package.sh BUILD_DIR SAMPLE_VRN [fast|nec2c]}"
engine="${3:-nec2c}"
scratch="$(mktemp -d)"
cleanup() { chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack -G DEB"
    exit 1
fi
debs=("$scratch"/out/vrn-nec_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single vrn-nec_*.deb in ${debs[*]}"; exit 1; }
deb="${debs[0]}"

# The file list: these files and links, nothing else.
expected="./usr/bin/nec2c-classic -> ../lib/vrn-nec/nec2c-classic
./usr/bin/necdeck -> ../lib/vrn-nec/necdeck
./usr/bin/vrn-nec -> ../lib/vrn-nec/VRN_NEC
./usr/bin/vrn2nec -> ../lib/vrn-nec/vrn2nec
./usr/lib/vrn-nec/GoNec.bat
./usr/lib/vrn-nec/GoNecGN.bat
./usr/lib/vrn-nec/GoNecRun.sh
./usr/lib/vrn-nec/VRN_NEC
./usr/lib/vrn-nec/libVRN_NEC.so
./usr/lib/vrn-nec/nec2c-classic
./usr/lib/vrn-nec/necdeck
./usr/lib/vrn-nec/vrn2nec
./usr/share/applications/vrn-nec.desktop
./usr/share/icons/hicolor/scalable/apps/vrn-nec.svg
./usr/share/mime/packages/vrn-nec.xml"
if [ "$engine" = fast ]; then
    expected="$(printf '%s\n' "$expected" ./usr/lib/vrn-nec/engine.conf ./usr/lib/vrn-nec/nec2c-blas \
        ./usr/share/doc/vrn-nec/nec2c-blas/COPYING ./usr/share/doc/vrn-nec/nec2c-blas/README.md \
        ./usr/share/doc/vrn-nec/nec2c-blas/copyright ./usr/share/doc/vrn-nec/nec2c-blas/nec2c-lapack.patch | sort)"
fi
contents="$(dpkg-deb -c "$deb")"
listed="$(echo "$contents" | grep -v '^d' | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sort)"
if [ "$listed" != "$expected" ]; then
    fail "file list differs:"
    diff <(echo "$expected") <(echo "$listed")
fi
programs=(VRN_NEC vrn2nec necdeck nec2c-classic GoNec.bat GoNecGN.bat GoNecRun.sh)
[ "$engine" = fast ] && programs+=(nec2c-blas)
for program in "${programs[@]}"; do
    echo "$contents" | grep -q "^-rwxr-xr-x .* ./usr/lib/vrn-nec/$program\$" || fail "$program is not executable"
done

# Dependencies: the engine and the toolkit's libraries.
depends="$(dpkg-deb -f "$deb" Depends)"
for package in nec2c qt6-qpa-plugins libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libqt6opengl6 \
               libstdc++6; do
    echo "$depends" | tr ',|' '\n\n' | awk '{ print $1 }' | grep -qxF "$package" || fail "Depends lacks $package: $depends"
done
blas_packages=(liblapacke libopenblas0)
for package in "${blas_packages[@]}"; do
    listed_dep=no
    echo "$depends" | tr ',|' '\n\n' | awk '{ print $1 }' | grep -qxF "$package" && listed_dep=yes
    if [ "$engine" = fast ] && [ "$listed_dep" = no ]; then
        fail "Depends lacks $package: $depends"
    elif [ "$engine" != fast ] && [ "$listed_dep" = yes ]; then
        fail "Depends names $package without the fast engine: $depends"
    fi
done
[ "$(dpkg-deb -f "$deb" Package)" = vrn-nec ] || fail "package name"

# Unpacked into a scratch root; the program folder read-only as an installed one is.
root="$scratch/root"
dpkg -x "$deb" "$root" || { echo "FAIL: dpkg -x"; exit 1; }
chmod -R a-w "$root/usr/lib/vrn-nec"

desktop="$root/usr/share/applications/vrn-nec.desktop"
grep -qx 'Exec=vrn-nec %f' "$desktop" || fail "desktop entry does not start vrn-nec with the file"
grep -qx 'Icon=vrn-nec' "$desktop" || fail "desktop entry icon"
grep -qx 'MimeType=application/x-vorna-antenna;application/x-nec2-deck;' "$desktop" || fail "desktop entry MIME types"
mime="$root/usr/share/mime/packages/vrn-nec.xml"
for pair in 'application/x-vorna-antenna:\*\.vrn' 'application/x-nec2-deck:\*\.wcf'; do
    type="${pair%%:*}"
    glob="${pair#*:}"
    sed -n "\#type=\"$type\"#,\#</mime-type>#p" "$mime" | grep -q "<glob pattern=\"$glob\"/>" \
        || fail "$type has no glob $glob"
done
if command -v xmllint >/dev/null; then
    xmllint --noout "$mime" "$root/usr/share/icons/hicolor/scalable/apps/vrn-nec.svg" || fail "desktop files are not well-formed"
fi

# The unpacked tools use the unpacked library, not the build's.
ldd "$root/usr/lib/vrn-nec/vrn2nec" | grep -q "libVRN_NEC.so => $root/usr/lib/vrn-nec/libVRN_NEC.so" \
    || fail "vrn2nec does not load the library beside it: $(ldd "$root/usr/lib/vrn-nec/vrn2nec" | grep VRN_NEC)"

# A calculation from the unpacked tree. The user's engine.conf names a stand-in that notes
# its call and runs nec2c.
home="$scratch/home"
user_folder="$home/data/VRN_NEC"
mkdir -p "$user_folder"
cat >"$scratch/engine" <<SCRIPT
#!/bin/sh
echo "\$@" >>"$scratch/engine-calls"
exec nec2c "\$@"
SCRIPT
chmod +x "$scratch/engine"
printf 'command=%s\nfiles=options\n' "$scratch/engine" >"$user_folder/engine.conf"
out="$(cd "$scratch" && env -u LD_LIBRARY_PATH HOME="$home" XDG_DATA_HOME="$home/data" \
       "$root/usr/bin/vrn2nec" --run "$sample" 2>"$scratch/err")"
code=$?
[ "$code" -eq 0 ] || fail "vrn2nec --run exit $code: $(cat "$scratch/err")"
case "$out" in
    "Frequency:   14.15  MHz"*) ;;
    *) fail "unexpected summary: $out" ;;
esac
echo "$out" | grep -q "Source in wire N 1:" || fail "no source line in: $out"
grep -q -- "-i Indata.txo -o Outdata.nec2c.txo" "$scratch/engine-calls" 2>/dev/null \
    || fail "the user's engine.conf was not used"
[ -z "$(find "$root" -newer "$deb" -type f)" ] || fail "the run wrote into the unpacked tree"

# The fast engine: the package's engine.conf names it, it runs from the unpacked tree
# (its libraries resolve after stripping), and a run of the package's GoNec.bat without
# a user's engine.conf uses it: a nec2c first on the search path that always fails
# cannot be what ran. Its licence and the patch come along.
if [ "$engine" = fast ]; then
    program_folder="$root/usr/lib/vrn-nec"
    grep -qx 'command=./nec2c-blas' "$program_folder/engine.conf" || fail "engine.conf does not name nec2c-blas"
    case "$("$program_folder/nec2c-blas" -v 2>&1)" in
        "nec2c "*"(LAPACK)") ;;
        *) fail "the packaged nec2c-blas does not run: $("$program_folder/nec2c-blas" -v 2>&1)" ;;
    esac
    mkdir -p "$scratch/failing" "$scratch/fastrun"
    printf '#!/bin/sh\nexit 99\n' >"$scratch/failing/nec2c"
    chmod +x "$scratch/failing/nec2c"
    cp "$(dirname "$sample")/../decks/dipole_free.nec" "$scratch/fastrun/Indata.txo"
    (cd "$scratch/fastrun" && PATH="$scratch/failing:$PATH" "$program_folder/GoNec.bat") \
        || fail "GoNec.bat of the package failed with the fast engine"
    grep -q "ANTENNA INPUT PARAMETERS" "$scratch/fastrun/Outdata.txo" 2>/dev/null \
        || fail "no listing from the fast engine"
    doc="$root/usr/share/doc/vrn-nec/nec2c-blas"
    grep -q "GPL" "$doc/copyright" || fail "nec2c's copyright file names no licence"
    grep -q "GNU GENERAL PUBLIC LICENSE" "$doc/COPYING" || fail "the licence text is missing"
    grep -q "zgetrf" "$doc/nec2c-lapack.patch" || fail "the patch is missing"
fi

exit $status
