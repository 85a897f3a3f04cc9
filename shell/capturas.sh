#!/usr/bin/env bash
# Takes a screenshot of each window of the desktop program (main, progress, output, the output
# window showing a finding's record, its print preview) on a virtual display and writes them to
# docs/capturas/*.png; then, at scale factor 2 on a 1366x768 screen, the whole screen with the
# record window where the program placed it (tela-escala2.png), the print preview
# (visualizacao-escala2.png), the filtered grid (grade-escala2.png) and the record with its field
# (registro-escala2.png).
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

# At scale factor 2 on a laptop's screen: only the screen with the record window, and the preview.
escala2="$(mktemp -d)"
trap 'rm -rf "$escala2"' EXIT
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 1366x768x24" \
  "$build/shell/rolval-capturas" "$escala2" samples/rol05-limpo.txt samples/rol05-com-erros.txt
for nome in visualizacao tela grade registro; do
  cp "$escala2/$nome.png" "docs/capturas/$nome-escala2.png"
done
