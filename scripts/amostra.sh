#!/usr/bin/env bash
# The main job: builds rolval-cli when needed (installing only what that needs), validates a file
# and prints its report.
#   ./scripts/amostra.sh [FILE]     FILE: the file to validate (default: the bundled sample)
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
arquivo="${1:-$raiz/samples/rol05-limpo.txt}"
[ "${arquivo:0:1}" = / ] || arquivo="$PWD/$arquivo"
cd "$raiz"
./scripts/prepara.sh minimal
# A build of its own, with only the command line: no tests, no desktop program, no benchmarks.
if [ ! -f build-amostra/CMakeCache.txt ]; then
  cmake -S . -B build-amostra -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_TESTS=OFF -DROLVAL_SHELL=OFF \
    -DROLVAL_BENCH=OFF >/dev/null
fi
cmake --build build-amostra -j "$(nproc)" --target rolval-cli >/dev/null
status=0
./build-amostra/cli/rolval-cli "$arquivo" || status=$?
echo "(rolval-cli exit status: $status)"
