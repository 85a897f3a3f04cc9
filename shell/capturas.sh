#!/usr/bin/env bash
# Takes a screenshot of each window of the desktop program (main, progress, output) on a virtual
# display and writes them to docs/capturas/*.png. Needs Xvfb (scripts/prepara.sh installs it).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$raiz/build-capturas}"
cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_TESTS=OFF >/dev/null
cmake --build "$build" --target rolval-capturas -j "$(nproc)"
mkdir -p "$raiz/docs/capturas"
cd "$raiz"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/shell/rolval-capturas" docs/capturas samples/rol05-limpo.txt
