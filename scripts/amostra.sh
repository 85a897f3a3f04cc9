#!/usr/bin/env bash
# The main job: builds rolval-cli when needed, validates the bundled sample file and prints its
# report. Any argument replaces the sample file.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$raiz"
./scripts/prepara.sh
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j "$(nproc)" --target rolval-cli >/dev/null
arquivo="${1:-samples/rol05-limpo.txt}"
set +e
./build/cli/rolval-cli "$arquivo"
status=$?
set -e
echo "(rolval-cli exit status: $status)"
