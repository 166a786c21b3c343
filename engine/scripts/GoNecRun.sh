#!/bin/sh
# Shared body of GoNec.bat and GoNecGN.bat: GoNecRun.sh DECK
# Runs the engine named in engine.conf of the current folder, else beside this script
# (nec2c without either) on DECK in the current folder. The engine gets short relative
# file names only: some refuse long ones.
#
# engine.conf, one "key=value" a line ("#" starts a comment line):
#   command=ENGINE         the engine: a name on the search path, or a path (relative
#                          paths are taken from this script's folder)
#   files=options          the engine takes "-i IN -o OUT" (nec2c)
#   files=stdin            the engine reads the input and output file names from its
#                          standard input, one a line (classic engines)
#   greens=no|yes          whether the engine can write and read Green's function files
#   greens_file=NAME       the name the engine gives that file (classic: NGF2D.NEC)
#   runner=PREFIX          a command the engine starts through in this folder, split
#                          at blanks (for example "srun --ntasks=1"); none by default
#   jobs=N                 engine runs at once (read by the program, not here)
#
# Exit codes: 0 success; 2 deck missing; 3 no listing; 4 and 5 the listing rewrite
# failed; 10 the engine cannot write or read Green's function files and the deck holds a
# WG or GF card (also when the engine itself refuses them: nec2c's 251); otherwise the
# engine's own exit code.
deck="$1"
here="$(dirname "$0")"
engine=nec2c
files=options
greens=no
greens_file=Ngf2d.nec
own_file=Ngf2d.nec
runner=
unsupported=10

# A user's own engine.conf in the working folder (the current folder) comes first.
conf="$here/engine.conf"
[ -f ./engine.conf ] && conf=./engine.conf
if [ -f "$conf" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
        line="$(printf '%s' "$line" | tr -d '\r')"
        case "$line" in
            command=*) engine="${line#command=}" ;;
            files=*) files="${line#files=}" ;;
            greens=*) greens="${line#greens=}" ;;
            greens_file=*) greens_file="${line#greens_file=}" ;;
            runner=*) runner="${line#runner=}" ;;
        esac
    done < "$conf"
fi
case "$engine" in
    /*) ;;
    */*) engine="$here/$engine" ;;
esac

[ -f "$deck" ] || { echo "deck $deck not found" >&2; exit 2; }

# Cards before EN, by their first two letters in either case.
has_card() {
    awk -v card="$1" 'toupper(substr($0, 1, 2)) == "EN" { exit 1 }
                      toupper(substr($0, 1, 2)) == card { found = 1; exit 0 }
                      END { exit found ? 0 : 1 }' "$deck"
}
uses_greens=no
if has_card WG || has_card GF; then
    uses_greens=yes
fi
if [ "$uses_greens" = yes ] && [ "$greens" != yes ]; then
    exit "$unsupported"
fi
# The engine reads the file under its own name and writes it there; the program knows it
# as Ngf2d.nec. A file the engine left from an earlier run never passes for a new one.
if [ "$greens" = yes ] && [ "$greens_file" != "$own_file" ]; then
    rm -f "$greens_file"
    if has_card GF && [ -f "$own_file" ]; then
        cp -f "$own_file" "$greens_file" || exit 6
    fi
fi

rm -f Outdata.nec2c.txo
case "$files" in
    stdin) printf '%s\n%s\n' "$deck" Outdata.nec2c.txo | $runner "$engine" >/dev/null ;;
    *) $runner "$engine" -i "$deck" -o Outdata.nec2c.txo >/dev/null ;;
esac
status=$?
[ "$status" -eq 251 ] && status=$unsupported
[ "$status" -eq 0 ] || exit "$status"
if [ "$greens" = yes ] && [ "$greens_file" != "$own_file" ] && [ -f "$greens_file" ]; then
    # Only a file the engine wrote on the WG card replaces Ngf2d.nec; the copy it read
    # on a GF card goes.
    if has_card WG && ! cmp -s "$greens_file" "$own_file"; then
        mv -f "$greens_file" "$own_file" || exit 7
    else
        rm -f "$greens_file"
    fi
fi
[ -s Outdata.nec2c.txo ] || { echo "the engine wrote no listing" >&2; exit 3; }
"$here/nec2c-classic" Outdata.nec2c.txo Outdata.txo || exit 4
[ -s Outdata.txo ] || exit 5
exit 0
