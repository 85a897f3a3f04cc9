#!/usr/bin/env bash
# The output window's findings grid on a million findings: writes a layout-05 file with a finding
# on every record (at least N records), runs rolval-mede-grade on it (the run, then the time from
# the run's end to the grid shown, a scroll through it page by page, a sort and a filter) and
# prints its figures and the process's peak memory.
#
#     bench/grade.sh BUILD [--findings N] [--keep DIR]
#
#   BUILD          a build folder configured with the desktop program (ROLVAL_SHELL on); the
#                  sample generator and rolval-mede-grade are built there
#   --findings N   records, each with one finding (default 1000000)
#   --keep DIR     write the file in DIR (created) and leave it there
set -euo pipefail

[ $# -ge 1 ] || { sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 64; }
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
shift
achados=1000000
pasta=""
while [ $# -gt 0 ]; do
  case "$1" in
    --findings) achados="$2"; shift 2 ;;
    --keep) pasta="$2"; shift 2 ;;
    *) echo "grade.sh: unknown option $1" >&2; exit 64 ;;
  esac
done
source "$raiz/bench/pasta.sh"
escolhe_pasta rolval-grade

cmake --build "$build" -j 2 --target rolval-amostras rolval-mede-grade >"$pasta/build.log" 2>&1 ||
  { tail -40 "$pasta/build.log" >&2; exit 1; }
gerador="$build/tools/rolval-amostras"
mede="$build/shell/rolval-mede-grade"

# Returns enough for N records, scaled from a probe of 50 returns.
"$gerador" --layout 05 --returns 50 -o "$pasta/sonda.txt"
linhas=$(wc -l <"$pasta/sonda.txt")
retornos=$(( (achados * 50 + linhas - 1) / linhas ))
"$gerador" --layout 05 --returns "$retornos" -o "$pasta/limpo.txt"
# The check digit of every header's registration changed: code 4 on the header, and code 20 on
# every annex record, whose registration no longer matches its header's.
awk 'BEGIN { ORS = "" }
     substr($0, 40, 4) == "ABC " { d = substr($0, 35, 1); $0 = substr($0, 1, 34) ((d + 1) % 10) substr($0, 36) }
     { print $0 "\n" }' "$pasta/limpo.txt" >"$pasta/achados.txt"
rm -f "$pasta/limpo.txt" "$pasta/sonda.txt"
echo "file: $(stat -c %s "$pasta/achados.txt") bytes, $(wc -l <"$pasta/achados.txt") records"

/usr/bin/time -f "peak resident memory: %M KB, elapsed %e s" "$mede" "$pasta/achados.txt"
