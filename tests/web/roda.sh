#!/usr/bin/env bash
# The web tests against a build made with ROLVAL_WEB=ON: the page's own logic, the WebAssembly
# engine against rolval-cli, and the page end to end in headless Chromium (Debian's, no browser
# download). Installs the test's npm packages from the lock file.
#
#   tests/web/roda.sh [BUILD_DIR] [--grande-mb N]     (default: build, 180)
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$raiz/build}" && pwd)"
grande_mb=180
[ "${2:-}" = "--grande-mb" ] && grande_mb="$3"
for f in web/rolval-engine.js web/rolval.html cli/rolval-cli tools/rolval-amostras; do
  [ -e "$build/$f" ] || { echo "tests/web/roda.sh: $build/$f is missing (build with -DROLVAL_WEB=ON)"; exit 1; }
done

cd "$raiz/tests/web"
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
echo "rolval.html: $(stat -c %s "$build/web/rolval.html") bytes"
node --test pagina.test.mjs
node compara-cli.mjs --cli "$build/cli/rolval-cli" --amostras "$build/tools/rolval-amostras" \
  --motor "$build/web/rolval-engine.js"
node navegador.mjs --pagina "$build/web/rolval.html" --cli "$build/cli/rolval-cli" \
  --amostras "$build/tools/rolval-amostras" --grande-mb "$grande_mb" --captura "$build/web/pagina.png" \
  --capturas "$build/web/capturas"
