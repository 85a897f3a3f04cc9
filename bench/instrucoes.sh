#!/usr/bin/env bash
# Instructions of whole runs of rolval-cli, counted by callgrind: unlike times, they do not move
# with the machine's load, so two builds (say, with and without a fast path) compare to the
# instruction. The report is printed to /dev/null, as bench/roda.sh times it.
#
#     bench/instrucoes.sh CLI FILE...
#
# Prints one line a file: its name, its lines and the instructions of the run.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: bench/instrucoes.sh CLI FILE..." >&2
  exit 64
fi
cli="$1"
shift
for arquivo in "$@"; do
  # A file with findings ends the run with a non-zero status: only the count matters here.
  saida=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$cli" "$arquivo" 2>&1 \
    >/dev/null) || true
  instrucoes=$(sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p' <<<"$saida")
  printf '%s\t%s\t%s\n' "$(basename "$arquivo")" "$(wc -l <"$arquivo")" "$instrucoes"
done
