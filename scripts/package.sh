#!/usr/bin/env bash
# Sets up and builds everything, then builds the Debian package in build/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root/build"
cpack -G DEB
