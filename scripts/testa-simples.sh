#!/usr/bin/env bash
# The engine without its fast paths (-DROLVAL_FAST_PATHS=OFF: the plain code beside each, what a
# machine without them runs), in build-simples: its tests pass, and its rolval-cli writes what the
# default build's writes, byte for byte, on the bench files and on 1,000 generated and mutated
# files (bench/compara-base.sh). The default build is the one in BUILD (default: build); its
# rolval-cli and sample generator are built there when missing.
#
#     scripts/testa-simples.sh [BUILD]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$raiz"
padrao="${1:-build}"
jobs="$(nproc)"

[ -f "$padrao/CMakeCache.txt" ] ||
  cmake -S . -B "$padrao" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_WERROR=ON >/dev/null
cmake --build "$padrao" -j "$jobs" --target rolval-cli rolval-amostras

cmake -S . -B build-simples -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_WERROR=ON \
  -DROLVAL_SHELL=OFF -DROLVAL_FAST_PATHS=OFF >/dev/null
cmake --build build-simples -j "$jobs"
ctest --test-dir build-simples --output-on-failure -j "$jobs"

dados="$(mktemp -d)"
trap 'rm -rf "$dados"' EXIT
bench/arquivos.sh "$padrao/tools/rolval-amostras" "$dados" >/dev/null
adicionais=()
for arquivo in "$dados"/*; do adicionais+=(--add "$arquivo"); done
bench/compara-base.sh "$padrao/cli/rolval-cli" build-simples/cli/rolval-cli \
  "$padrao/tools/rolval-amostras" --per-layout 200 "${adicionais[@]}"
echo "Plain build: tests passed, reports identical to the default build's."
