#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program from its folder.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/build.sh"
exec "$root/build/bin/VRN_NEC" "$@"
