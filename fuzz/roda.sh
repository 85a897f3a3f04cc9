#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# every target, one after another, for SECONDS seconds each, starting from the seeds made by
# rolval-sementes and the bundled samples and growing each target's corpus in the build folder.
# Exit status 1 when a target finds a crash; its input is kept in BUILD/achados/<target>/.
#   fuzz/roda.sh SECONDS [TARGET...]      (targets: execucao versao45 st2 versao3 st1 campos
#                                         corretor)
# ROLVAL_FUZZ_BUILD chooses the build folder (default build-fuzz); a log of each target's run is
# left in BUILD/registros/<target>.log.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "Usage: fuzz/roda.sh SECONDS [TARGET...]" >&2
  exit 64
fi
segundos="$1"
shift
alvos=("$@")
[ ${#alvos[@]} -eq 0 ] && alvos=(execucao versao45 st2 versao3 st1 campos corretor)
build="${ROLVAL_FUZZ_BUILD:-$raiz/build-fuzz}"

alvosBuild=(rolval-sementes)
for a in "${alvos[@]}"; do alvosBuild+=("fuzz_$a"); done
mkdir -p "$build"
if ! { cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_WERROR=ON -DCMAKE_CXX_COMPILER=clang++ \
         -DROLVAL_FUZZ=ON -DROLVAL_TESTS=OFF -DROLVAL_SHELL=OFF &&
       cmake --build "$build" -j "$(nproc)" --target "${alvosBuild[@]}"; } >"$build/construcao.log" 2>&1; then
  tail -n 40 "$build/construcao.log" >&2
  echo "fuzz/roda.sh: the fuzz targets did not build (log in $build/construcao.log)" >&2
  exit 2
fi

# Seeds: made afresh each time; each bundled sample goes to the whole-run target and to the
# target of its layout, told by its first line as the run driver tells it.
sementes="$build/sementes"
rm -rf "$sementes"
"$build/fuzz/rolval-sementes" "$sementes"
for amostra in "$raiz"/samples/*; do
  [ -f "$amostra" ] || continue
  inicio="$(head -c 7 "$amostra")"
  case "$inicio" in
    "****03"*) alvo=versao3 ;;
    "****04"* | "****05"*) alvo=versao45 ;;
    RST01*) alvo=st1 ;;
    ??RST02) alvo=st2 ;;
    *) alvo="" ;;
  esac
  cp "$amostra" "$sementes/execucao/"
  mkdir -p "$sementes/corretor"
  cp "$amostra" "$sementes/corretor/"
  [ -n "$alvo" ] && cp "$amostra" "$sementes/$alvo/"
done

falhas=0
for a in "${alvos[@]}"; do
  corpus="$build/corpus/$a"
  achados="$build/achados/$a"
  registro="$build/registros/$a.log"
  mkdir -p "$corpus" "$achados" "$(dirname "$registro")"
  maximo=20000
  [ "$a" = campos ] && maximo=4096
  echo "fuzz_$a: ${segundos}s"
  set +e
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_$a" -max_total_time="$segundos" -max_len="$maximo" -timeout=30 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$achados/" "$corpus" "$sementes/$a" >"$registro" 2>&1
  status=$?
  set -e
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^Done|stat::' "$registro" | sed 's/^/  /' || true
  if [ $status -ne 0 ]; then
    echo "fuzz_$a FAILED (exit $status); input kept in $achados/, log in $registro" >&2
    grep -E 'ERROR|SUMMARY|rolval fuzz' "$registro" | head -5 >&2 || true
    falhas=1
  fi
done
exit $falhas
