#!/usr/bin/env bash
# Installs what is missing and builds everything into build/ (the program folder is build/bin).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
# Debian's nec2c source for the fast engine nec2c-blas (kept once fetched); without it
# the build goes on and the program uses nec2c.
bash "$root/scripts/fetch-nec2c-source.sh" "$root/build/nec2c-source" || true
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
