#!/usr/bin/env bash
# The small bench files whose instructions bench/instrucoes.sh counts, written by the sample
# generator: layout 05 of about 2 MB clean and with a finding in every record, dense layout 05
# (100 returns, 64 items of each annex), dense ST 02 (2,000 returns, 20 records of each annex) and
# layout 03 (2,000 returns).
#
#     bench/arquivos.sh GENERATOR DIR
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: bench/arquivos.sh GENERATOR DIR" >&2
  exit 64
fi
gerador="$1"
dados="$2"
mkdir -p "$dados"
# 2 MB of layout 05: 124 returns of the generator's default shape.
"$gerador" --layout 05 --returns 124 -o "$dados/rol05-limpo-2mb.txt"
# Every record with a finding: the check digit of every header's registration changed (code 4 on
# the header), so that every annex record differs from its header (code 20), as bench/roda.sh does.
awk 'BEGIN { ORS = "" }
     substr($0, 40, 4) == "ABC " { d = substr($0, 35, 1); $0 = substr($0, 1, 34) ((d + 1) % 10) substr($0, 36) }
     { print $0 "\n" }' "$dados/rol05-limpo-2mb.txt" >"$dados/rol05-achados-2mb.txt"
"$gerador" --layout 05 --returns 100 --items 64 -o "$dados/rol05-denso-100.txt"
"$gerador" --layout ST02 --returns 2000 --items 20 -o "$dados/rolst02-2000x20.txt"
"$gerador" --layout 03 --returns 2000 -o "$dados/rol03-2000.txt"
