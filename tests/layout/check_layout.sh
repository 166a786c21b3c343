#!/usr/bin/env bash
# The shape of the source tree: every folder includes only folders below its own level
# (common; converter and the listing code; engine; results, editor and viewer; analyses;
# app and tools on top); the listing code uses no Qt; a form's ui_*.h is included by
# its own class only; no source file is longer than 600 lines.
set -u
root="${1:?usage: check_layout.sh SOURCE_DIR}"
cd "$root" || exit 2
status=0

rank() {
    case "$1" in
        common) echo 0 ;;
        converter) echo 1 ;;
        engine) echo 2 ;;
        results|editor|viewer) echo 3 ;;
        analyses) echo 4 ;;
        app|tools) echo 5 ;;
        *) echo 9 ;;
    esac
}

for folder in common converter engine results editor viewer analyses app tools; do
    [ -d "$folder" ] || continue
    own=$(rank "$folder")
    while IFS=: read -r file line target; do
        [ -n "$file" ] || continue
        if [ "$target" != "$folder" ] && [ "$(rank "$target")" -ge "$own" ]; then
            echo "$file:$line includes $target/, a folder not below $folder/"
            status=1
        fi
    done < <(grep -rnoE '^#include "[a-z]+/' "$folder" --include='*.h' --include='*.cpp' \
             | sed -E 's/#include "([a-z]+)\/$/\1/')
done

# The listing code: the sources of the vrn_listing target.
listing=$(sed -n '/add_library(vrn_listing/,/)/p' engine/CMakeLists.txt | grep -oE '[A-Za-z]+\.(cpp|h)')
for name in $listing; do
    file="engine/$name"
    if grep -nE '^#include <Q' "$file"; then
        echo "$file: the listing code uses Qt"
        status=1
    fi
    for included in $(grep -oE '^#include "engine/[A-Za-z]+\.h"' "$file" | sed -E 's/.*engine\/(.*)"/\1/'); do
        if ! grep -qx "$included" <<<"$listing"; then
            echo "$file includes engine/$included, which is not listing code"
            status=1
        fi
    done
done

# A form's generated ui_NAME.h belongs to the class that owns the form: it is included
# by NAME.cpp only (the main window's frame by MainWindow.cpp), so nothing outside a page
# or window touches its controls.
while IFS=: read -r file line included; do
    [ -n "$file" ] || continue
    owner="$(sed -E 's/^ui_(.*)\.h$/\1/' <<<"$included")"
    case "$owner" in
        MainWindowFrame) owner=MainWindow ;;
        TFormGND) owner=GroundDialog ;;
    esac
    base="$(basename "$file")"
    if [ "$base" != "$owner.cpp" ]; then
        echo "$file:$line includes $included, the form of another class"
        status=1
    fi
done < <(grep -rnoE '^#include "ui_[A-Za-z0-9]+\.h"' app viewer tools --include='*.h' --include='*.cpp' \
         | sed -E 's/#include "(ui_[A-Za-z0-9]+\.h)"$/\1/')

while read -r count file; do
    [ "$file" = total ] && continue
    if [ "$count" -gt 600 ]; then
        echo "$file has $count lines (at most 600)"
        status=1
    fi
done < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v '^tests/data/' | xargs wc -l)

[ "$status" -eq 0 ] && echo "layout: every include points down the tree; no source file over 600 lines"
exit "$status"
