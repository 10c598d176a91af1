#!/usr/bin/env bash
# Sets up and builds everything, then runs the whole test suite through CTest.
# GUI tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
