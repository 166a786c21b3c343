#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The last lines are CTest's summary.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/build.sh"
cd "$root/build"
exec ctest --output-on-failure -j"$(nproc)" --timeout 600
