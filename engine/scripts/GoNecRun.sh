#!/bin/sh
# Shared body of GoNec.bat and GoNecGN.bat: GoNecRun.sh DECK
# Runs the engine named in engine.conf of the current folder, else beside this script
# (nec2c without either) on DECK in the current folder. The engine gets short relative
# file names only: some refuse long ones.
#
# engine.conf, one "key=value" a line ("#" starts a comment line; blanks around keys
# and values do not count):
#   command=ENGINE         the engine: a name on the search path, or a path (relative
#                          paths are taken from this script's folder)
#   files=options          the engine takes "-i IN -o OUT" (nec2c)
#   files=stdin            the engine reads the input and output file names from its
#                          standard input, one a line (classic engines)
#   greens=no|yes          whether the engine can write and read Green's function files
#   greens_file=NAME       the name the engine gives that file (classic: NGF2D.NEC): a
#                          plain file name in the working folder, not one of the
#                          run's own files (decks, listings, engine.conf)
#   runner=PREFIX          a command the engine starts through in this folder, split
#                          at blanks (for example "srun --ntasks=1"); none by default
#   jobs=N                 engine runs at once (read by the program, not here): a
#                          whole number of at least 1
# Any other key, an empty command or a value not listed here is refused with a message
# on standard error (exit 78) and the engine does not start.
#
# The engine runs in this script's process group. When the script is asked to end
# (SIGTERM or SIGHUP, which is also what the program's death sends it), it ends the
# engine first, so no engine outlives the run that started it. Through a runner the engine
# gets SIGTERM first and a second to pass it on (srun hands it to the remote task).
#
# Exit codes: 0 success; 2 deck missing; 3 no listing; 4 and 5 the listing rewrite
# failed; 78 engine.conf is not valid (sysexits' EX_CONFIG; nec2c itself exits with
# the number of a signal it caught, 8 on a floating point exception); 10 the engine cannot write or read Green's function files and the deck holds a
# WG or GF card (also when the engine itself refuses them: nec2c's 251); otherwise the
# engine's own exit code.
deck="$1"
# Every program started here adds its start-up to each run (an optimizer starts
# thousands of runs): engine.conf is read with the shell's own means and the deck is
# looked at once, by one awk.
case "$0" in
    */*) here="${0%/*}" ;;
    *) here=. ;;
esac
engine=nec2c
files=options
greens=no
greens_file=Ngf2d.nec
own_file=Ngf2d.nec
runner=
unsupported=10

# The engine and whatever it starts end with the script: the engine, then the whole
# process group when the script leads one (the program starts it so). Nothing is started
# here before the kill, and a second signal is ignored, so the script cannot die half-way;
# the shell's own note of the engine's end ("Terminated") is not the user's business.
engine_pid=
stop_engine() {
    trap '' TERM HUP
    exec 2>/dev/null
    if [ -n "$runner" ] && [ -n "$engine_pid" ]; then
        kill -TERM "$engine_pid" 2>/dev/null && sleep 1
    fi
    [ -n "$engine_pid" ] && kill -KILL "$engine_pid" 2>/dev/null
    kill -KILL -$$ 2>/dev/null
    exit 143
}
trap stop_engine TERM HUP

conf_error() {
    echo "engine.conf: $*" >&2
    exit 78
}
# Sets `trimmed` to $1 without blanks (also a carriage return) at either end.
trim() {
    trimmed="${1#"${1%%[![:space:]]*}"}"
    trimmed="${trimmed%"${trimmed##*[![:space:]]}"}"
}

# A user's own engine.conf in the working folder (the current folder) comes first.
conf="$here/engine.conf"
[ -f ./engine.conf ] && conf=./engine.conf
if [ -f "$conf" ]; then
    number=0
    while IFS= read -r line || [ -n "$line" ]; do
        number=$((number + 1))
        trim "$line"
        line="$trimmed"
        case "$line" in
            '' | '#'*) continue ;;
            *=*) ;;
            *) conf_error "line $number is not key=value: $line" ;;
        esac
        trim "${line%%=*}"
        key="$trimmed"
        trim "${line#*=}"
        value="$trimmed"
        case "$key" in
            command)
                [ -n "$value" ] || conf_error "command= is empty (line $number); name the engine, for instance command=nec2c."
                engine="$value" ;;
            files)
                case "$value" in
                    options | stdin) files="$value" ;;
                    *) conf_error "files= takes options or stdin, not '$value' (line $number)." ;;
                esac ;;
            greens)
                case "$value" in
                    yes | no) greens="$value" ;;
                    *) conf_error "greens= takes yes or no, not '$value' (line $number)." ;;
                esac ;;
            greens_file)
                case "$value" in
                    '' | . | .. | -* | */*)
                        conf_error "greens_file= must be a plain file name in the working folder (no '/', not '.' or '..', not starting with '-'), not '$value' (line $number)." ;;
                    Indata.txo | IndataGN.txo | Outdata.txo | Outdata.nec2c.txo | engine.conf)
                        conf_error "greens_file= cannot be $value, a file of the run itself (line $number)." ;;
                esac
                greens_file="$value" ;;
            runner) runner="$value" ;;
            jobs)
                case "$value" in
                    '' | *[!0-9]* | 0) conf_error "jobs= takes a whole number of at least 1, not '$value' (line $number)." ;;
                esac ;;
            *) conf_error "unknown key '$key' (line $number); the keys are command, files, greens, greens_file, runner and jobs." ;;
        esac
    done < "$conf"
fi
case "$engine" in
    /*) ;;
    */*) engine="$here/$engine" ;;
esac

[ -f "$deck" ] || { echo "deck $deck not found" >&2; exit 2; }

# The WG and GF cards before EN, by their first two letters in either case (one look at
# the deck).
greens_cards="$(awk '{ card = toupper(substr($0, 1, 2)) }
                     card == "EN" { exit }
                     (card == "WG" || card == "GF") && !(card in seen) { seen[card] = 1; print card }' "$deck")"
has_card() {
    case "$greens_cards" in
        *"$1"*) return 0 ;;
        *) return 1 ;;
    esac
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
# The engine runs in the background so that a TERM or HUP reaches stop_engine at once.
case "$files" in
    stdin) printf '%s\n%s\n' "$deck" Outdata.nec2c.txo | $runner "$engine" >/dev/null & ;;
    *) $runner "$engine" -i "$deck" -o Outdata.nec2c.txo >/dev/null </dev/null & ;;
esac
engine_pid=$!
wait "$engine_pid"
status=$?
engine_pid=
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
