#!/usr/bin/env bash
# Takes a screenshot of each window of the desktop program (main, progress, output, and the output
# window showing a finding's record) on a virtual display and writes them to docs/capturas/*.png.
# Needs Xvfb (scripts/prepara.sh installs it).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
# An existing build folder may be given; otherwise one of its own is made.
build="${1:-$raiz/build-capturas}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_TESTS=OFF -DROLVAL_WERROR=ON >/dev/null
fi
cmake --build "$build" --target rolval-capturas -j "$(nproc)"
mkdir -p "$raiz/docs/capturas"
cd "$raiz"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/shell/rolval-capturas" docs/capturas samples/rol05-limpo.txt samples/rol05-com-erros.txt
