#!/usr/bin/env bash
# Whole-file benchmarks of rolval-cli: builds an optimised rolval-cli and the sample generator in
# a temporary folder, writes large and small sample files, and times rolval-cli on each next to
# `wc -l` on the same file (page cache warm, median of several runs), with the cost per line in
# nanoseconds, the findings per second and the peak resident memory. Besides files of about N MB
# of each layout, two dense files: layout ST 02 with 20 records of each annex a return (the
# generator's `--layout ST02 --returns 20000 --items 20`, 77 MB of short lines) and layout 05
# with every annex and 64 items of each a return. One command from a fresh checkout:
#
#     bench/roda.sh [--runs N] [--mb N] [--dir DIR] [--cli FILE] [--micro]
#
#   --runs N  timed runs of each command (default 15, after 2 warm-up runs), in turns
#   --mb N    size of the large files in MB (default 180, about 200,000 records)
#   --dir DIR keep the build and the sample files in DIR (created) instead of a temporary folder
#   --cli FILE  time this rolval-cli (say, a build of an earlier commit) instead of the one built
#   --micro   also build and run the micro-benchmarks (bench/*Bench.cpp, Google Benchmark)
#
# Then a batch: 1,000 layout-05 files of about 16 KB in one command, --jobs 1 and --jobs 2, next
# to `cat FILES | wc -l`.
#
# Needs: cmake, a C++20 compiler, hyperfine and GNU time (/usr/bin/time); the last two are
# installed from Debian's packages when missing and the script runs as root (or with sudo).
set -euo pipefail

raiz="$(cd "$(dirname "$0")/.." && pwd)"
execucoes=15
mb_grande=180
mb_pequeno=2
pasta=""
micro=0
cli_dado=""
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) execucoes="$2"; shift 2 ;;
    --mb) mb_grande="$2"; shift 2 ;;
    --dir) pasta="$2"; shift 2 ;;
    --cli) cli_dado="$(realpath "$2")"; shift 2 ;;
    --micro) micro=1; shift ;;
    -h|--help) sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "roda.sh: unknown option '$1' (try --help)" >&2; exit 64 ;;
  esac
done

# --- What the measurements need -----------------------------------------------------------------
instala() {
  local faltam=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam+=("$p")
  done
  [ ${#faltam[@]} -eq 0 ] && return 0
  echo "Installing: ${faltam[*]}" >&2
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${faltam[@]}"
}
if ! command -v hyperfine >/dev/null || [ ! -x /usr/bin/time ]; then
  instala hyperfine time
fi
if [ "$micro" = 1 ]; then instala libbenchmark-dev; fi

source "$raiz/bench/pasta.sh"
escolhe_pasta rolval-bench
build="$pasta/build"
dados="$pasta/dados"
mkdir -p "$dados"

# --- Build: Release at -O2, only what is measured -----------------------------------------------
alvos=(rolval-cli rolval-amostras)
bench_opcao=OFF
if [ "$micro" = 1 ]; then alvos+=(rolval-micro); bench_opcao=ON; fi
echo "Building (Release, -O2) in $build ..." >&2
cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DROLVAL_TESTS=OFF -DROLVAL_SHELL=OFF -DROLVAL_WERROR=ON \
  -DROLVAL_BENCH="$bench_opcao" >"$pasta/cmake.log" 2>&1 || { cat "$pasta/cmake.log" >&2; exit 1; }
cmake --build "$build" -j "$(nproc)" --target "${alvos[@]}" >"$pasta/build.log" 2>&1 ||
  { tail -40 "$pasta/build.log" >&2; exit 1; }
cli="${cli_dado:-$build/cli/rolval-cli}"
gerador="$build/tools/rolval-amostras"

# --- Sample files -------------------------------------------------------------------------------
# A file of about N MB of layout L: the number of returns is scaled from a probe of 50 returns.
# Prints nothing and fails when the generator has no module for the layout.
gera() {
  local layout="$1" mb="$2" destino="$3"
  local sonda="$dados/sonda.txt"
  "$gerador" --layout "$layout" --returns 50 -o "$sonda" 2>/dev/null || return 1
  local bytes
  bytes=$(stat -c %s "$sonda")
  local retornos=$(( (mb * 1000000 * 50 + bytes - 1) / bytes ))
  [ "$retornos" -lt 1 ] && retornos=1
  "$gerador" --layout "$layout" --returns "$retornos" -o "$destino"
  rm -f "$sonda"
}

# The first of the generator's names for a layout that it knows.
modulo() {
  for nome in "$@"; do
    if "$gerador" --layout "$nome" --returns 1 -o /dev/null 2>/dev/null; then
      echo "$nome"
      return 0
    fi
  done
  return 1
}

# A file of about N MB made of copies of a bundled clean sample file (whole returns), for the
# layouts the generator does not write yet.
repete() {
  local origem="$1" mb="$2" destino="$3"
  local bytes n bloco="$dados/bloco.txt"
  bytes=$(stat -c %s "$origem")
  n=$(( (mb * 1000000 + bytes - 1) / bytes ))
  cp "$origem" "$bloco"
  : >"$destino"
  # Binary doubling: the copies of each set bit of n, from the smallest block up.
  while [ "$n" -gt 0 ]; do
    if [ $(( n & 1 )) -eq 1 ]; then cat "$bloco" >>"$destino"; fi
    n=$(( n >> 1 ))
    if [ "$n" -gt 0 ]; then cat "$bloco" "$bloco" >"$bloco.2" && mv "$bloco.2" "$bloco"; fi
  done
  rm -f "$bloco"
}

# A clean file of a layout: from the generator when it has a module for the layout (the first of
# the names given that it knows), otherwise from copies of the bundled sample. Prints how it was made.
gera_limpo() {  # mb destination sample names...
  local mb="$1" destino="$2" amostra="$3"; shift 3
  local nome
  if nome=$(modulo "$@"); then
    gera "$nome" "$mb" "$destino"
    echo "generator"
  else
    repete "$raiz/samples/$amostra" "$mb" "$destino"
    echo "copies of samples/$amostra"
  fi
}

# Every record with a finding: the check digit of every header's registration is changed (code
# 4 on the header), so every annex record differs from its header (code 20).
estraga_todos() {
  awk 'BEGIN { ORS = "" }
       substr($0, 40, 4) == "ABC " { d = substr($0, 35, 1); $0 = substr($0, 1, 34) ((d + 1) % 10) substr($0, 36) }
       { print $0 "\n" }' "$1" >"$2"
}

casos=()    # name:file
declare -A descricao
adiciona() {  # name file description
  casos+=("$1:$2")
  descricao[$1]="$3"
}

echo "Writing the sample files in $dados ..." >&2
tamanhos=("$mb_grande")
[ "$mb_grande" != "$mb_pequeno" ] && tamanhos+=("$mb_pequeno")
for mb in "${tamanhos[@]}"; do
  gera 05 "$mb" "$dados/rol05-limpo-${mb}mb.txt"
  adiciona "05-clean-${mb}MB" "$dados/rol05-limpo-${mb}mb.txt" "layout 05, every annex type, no finding"
  estraga_todos "$dados/rol05-limpo-${mb}mb.txt" "$dados/rol05-achados-${mb}mb.txt"
  adiciona "05-findings-${mb}MB" "$dados/rol05-achados-${mb}mb.txt" "layout 05, a finding in every record"
  origem=$(gera_limpo "$mb" "$dados/rolst02-limpo-${mb}mb.txt" rolst02-limpo.txt ST02 st02 ST2 02)
  adiciona "ST02-clean-${mb}MB" "$dados/rolst02-limpo-${mb}mb.txt" "layout ST 02, no finding ($origem)"
  origem=$(gera_limpo "$mb" "$dados/rol03-limpo-${mb}mb.txt" rol03-limpo.txt 03)
  adiciona "03-clean-${mb}MB" "$dados/rol03-limpo-${mb}mb.txt" "layout 03, no finding ($origem)"
done
# Dense files: many annex records (ST 02) or items (05) in every return, where the cost of each
# line and of each field shows most.
"$gerador" --layout ST02 --returns 20000 --items 20 -o "$dados/rolst02-denso.txt"
adiciona "ST02-dense" "$dados/rolst02-denso.txt" "layout ST 02, 20 records of each annex a return, no finding"
"$gerador" --layout 05 --returns 2000 --items 64 -o "$dados/rol05-denso.txt"
adiciona "05-dense" "$dados/rol05-denso.txt" "layout 05, every annex, 64 items of each a return, no finding"

# --- Measurements -------------------------------------------------------------------------------
# The files just written go to the disk first, so that writing them back does not fall in the
# middle of the first cases' timings.
sync
# The commands are timed in turns, one run of each a round (after two warm-up rounds), so that a
# burst of other work on the machine falls on all of them alike instead of on the runs of one:
# on a shared virtual machine the speed moves by tens of percent within a minute. Each round is
# one hyperfine call without a shell; the rounds are summed up in hyperfine's CSV form:
# command,mean,stddev,median,user,system,min,max (seconds).
mede() {  # csv-file command...
  local csv="$1"; shift
  local rodadas="$csv.rodadas" rodada="$csv.rodada"
  : >"$rodadas"
  for ((r = -2; r < execucoes; r++)); do
    hyperfine -N --style none --runs 1 --ignore-failure --export-csv "$rodada" "$@" >/dev/null 2>&1
    [ "$r" -ge 0 ] && tail -n +2 "$rodada" >>"$rodadas"
  done
  {
    echo "command,mean,stddev,median,user,system,min,max"
    local i=0
    for comando in "$@"; do
      i=$((i + 1))
      # Row k of every round belongs to the k-th command.
      awk -F, -v k="$i" -v n="$#" -v comando="$comando" '(NR - 1) % n == k - 1 {
          t[++m] = $2; soma += $2; quad += $2 * $2; u += $5; s += $6 }
        END {
          for (a = 1; a <= m; a++) for (b = a + 1; b <= m; b++) if (t[b] < t[a]) { x = t[a]; t[a] = t[b]; t[b] = x }
          med = (m % 2) ? t[(m + 1) / 2] : (t[m / 2] + t[m / 2 + 1]) / 2
          media = soma / m; dp = quad / m - media * media
          printf "%s,%.9f,%.9f,%.9f,%.6f,%.6f,%.9f,%.9f\n", comando, media, (dp > 0 ? sqrt(dp) : 0), med, u / m, s / m, t[1], t[m]
        }' "$rodadas"
    done
  } >"$csv"
  # The median, over the rounds, of the first command's time over the second's in the same
  # round: a round's two runs meet the same conditions, so their ratio moves least.
  awk -F, -v n="$#" '(NR - 1) % n == 0 { a = $2 } (NR - 1) % n == 1 { r[++m] = a / $2 }
    END {
      for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (r[j] < r[i]) { x = r[i]; r[i] = r[j]; r[j] = x }
      printf "%.6f\n", (m % 2) ? r[(m + 1) / 2] : (r[m / 2] + r[m / 2 + 1]) / 2
    }' "$rodadas" >"$csv.razao"
  rm -f "$rodada"
}
campo_csv() {  # csv-file row(1 = first command) column
  awk -F, -v linha="$(( $2 + 1 ))" -v coluna="$3" 'NR == linha { print $coluna }' "$1"
}

printf '\nrolval-cli %s, %s, %s, %d CPUs, load average %s\n' \
  "${cli_dado:-$(git -C "$raiz" describe --always --dirty 2>/dev/null || echo '?')}" "$(date -u '+%Y-%m-%d %H:%M UTC')" \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')" "$(nproc)" \
  "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'Medians of %d runs after 2 warm-up runs, rolval-cli and wc -l in turns; MB = 10^6 bytes; CPU = user + system (means).\n' "$execucoes"
printf 'load: the 1-minute load average when the case was measured (other work on the machine).\n\n'
printf '%-18s %6s %8s %9s %10s %8s %8s %7s %7s %8s %7s %12s %8s %5s\n' case status MB records findings \
  "rolval s" "wc s" ratio ns/line MB/s "CPU rt" findings/s "RSS MB" load
resultados="$pasta/resultados.tsv"
: >"$resultados"
for caso in "${casos[@]}"; do
  nome="${caso%%:*}"
  arquivo="${caso#*:}"
  csv="$pasta/$nome.csv"
  cat "$arquivo" >/dev/null  # into the page cache
  mede "$csv" "$cli $arquivo" "wc -l $arquivo"
  t_rolval=$(campo_csv "$csv" 1 4)
  t_wc=$(campo_csv "$csv" 2 4)
  razao=$(cat "$csv.razao")
  cpu_rolval=$(awk -v u="$(campo_csv "$csv" 1 5)" -v s="$(campo_csv "$csv" 1 6)" 'BEGIN { print u + s }')
  cpu_wc=$(awk -v u="$(campo_csv "$csv" 2 5)" -v s="$(campo_csv "$csv" 2 6)" 'BEGIN { print u + s }')
  bytes=$(stat -c %s "$arquivo")
  registros=$(wc -l <"$arquivo")
  resumo=$("$cli" --summary "$arquivo" | head -1 || true)
  achados=$(printf '%s\n' "$resumo" | awk -F'\t' '{ sub(/ findings/, "", $5); print $5 + 0 }')
  situacao=$(printf '%s\n' "$resumo" | awk -F'\t' '{ print $3 }')
  # Peak resident memory (GNU time's maximum resident set size, in KB) of one more run.
  /usr/bin/time -f '%M' -o "$pasta/rss.txt" "$cli" "$arquivo" >/dev/null 2>&1 || true
  rss_kb=$(tail -1 "$pasta/rss.txt")
  carga=$(cut -d' ' -f1 /proc/loadavg)
  awk -v nome="$nome" -v situacao="$situacao" -v bytes="$bytes" -v registros="$registros" -v achados="$achados" \
      -v tr="$t_rolval" -v tw="$t_wc" -v razao="$razao" -v cr="$cpu_rolval" -v cw="$cpu_wc" -v rss="$rss_kb" -v carga="$carga" \
      -v tabela="$resultados" 'BEGIN {
    mb = bytes / 1e6
    printf "%-18s %6s %8.1f %9d %10d %8.3f %8.3f %7.2f %7.0f %8.0f %7.2f %12.0f %8.1f %5s\n", nome, situacao, mb,
      registros, achados, tr, tw, razao, tr * 1e9 / registros, mb / tr, (cw > 0 ? cr / cw : 0), achados / tr,
      rss / 1024, carga
    printf "%s\t%f\t%d\t%d\t%f\t%f\t%f\t%f\t%d\t%f\n", nome, mb, registros, achados, tr, tw, cr, cw, rss, razao >> tabela
  }'
done
echo
for caso in "${casos[@]}"; do printf '%-18s %s\n' "${caso%%:*}" "${descricao[${caso%%:*}]}"; done
printf '\nratio: the median over the rounds of the time of rolval-cli / the time of wc -l on the same\n'
printf 'file in the same round; CPU rt: mean CPU time of rolval-cli / that of wc -l; ns/line: median\n'
printf 'time of rolval-cli / lines of the file. rolval-cli prints the whole report (to /dev/null), as\n'
printf 'a user would see it.\n'

# --- Targets ------------------------------------------------------------------------------------
echo
awk -F'\t' -v grande="${mb_grande}MB" -v pequeno="${mb_pequeno}MB" '
  { nome[NR] = $1; tr[$1] = $5; tw[$1] = $6; mb[$1] = $2; rss[$1] = $9 / 1024; q[$1] = $10 }
  END {
    c = "05-clean-" grande; e = "05-findings-" grande
    if (c in tr) printf "target  clean layout-05 file within 5x wc -l:        %.2fx  %s\n", q[c], (q[c] <= 5 ? "met" : "NOT met")
    if (e in tr) printf "target  findings in every record >= 300 MB/s:          %.0f MB/s  %s\n", mb[e] / tr[e], (mb[e] / tr[e] >= 300 ? "met" : "NOT met")
    if (c in tr) printf "target  clean layout-05 file within 2x wc -l:        %.2fx  %s\n", q[c], (q[c] <= 2 ? "met" : "NOT met")
    if (e in tr) printf "target  findings in every record within 3x wc -l:    %.2fx  %s\n", q[e], (q[e] <= 3 ? "met" : "NOT met")
    t = "03-clean-" grande
    if (t in tr) printf "target  layout-03 file within 3x wc -l:              %.2fx  %s\n", q[t], (q[t] <= 3 ? "met" : "NOT met")
    d = "ST02-dense"
    if (d in tr) printf "target  dense ST 02 file within 5x wc -l:            %.2fx  %s\n", q[d], (q[d] <= 5 ? "met" : "NOT met")
    maior = 0
    for (i = 1; i <= NR; i++) if (rss[nome[i]] > maior) maior = rss[nome[i]]
    printf "target  peak resident memory under 16 MB:              %.1f MB  %s\n", maior, (maior < 16 ? "met" : "NOT met")
    for (i = 1; i <= NR; i++) {
      n = nome[i]
      if (n !~ grande "$") continue
      p = n; sub(grande "$", pequeno, p)
      if (!(p in rss) || p == n) continue
      d = rss[n] - rss[p]
      printf "target  memory of %-18s vs %s within 2 MB: %+.1f MB  %s\n", n, pequeno, d, (d <= 2 && d >= -2 ? "met" : "NOT met")
    }
  }' "$resultados"

# --- A batch of many small files -----------------------------------------------------------------
# 1,000 layout-05 files of about 16 KB (one return each, drawn with a seed of its own), validated
# in one command with one and with two jobs, next to reading them all once (cat FILES | wc -l).
lote="$dados/lote"
mkdir -p "$lote"
echo "Writing 1,000 files of about 16 KB in $lote ..." >&2
"$gerador" --layout 05 --returns 1 --seed 1 -o "$lote/sonda.txt"
itens=1
while [ "$(stat -c %s "$lote/sonda.txt")" -lt 16000 ] && [ "$itens" -lt 64 ]; do
  itens=$(( itens + 1 ))
  "$gerador" --layout 05 --returns 1 --items "$itens" --seed 1 -o "$lote/sonda.txt"
done
rm -f "$lote/sonda.txt"
for i in $(seq -w 1 1000); do
  "$gerador" --layout 05 --returns 1 --items "$itens" --seed "$i" -o "$lote/r$i.txt"
done
lista="$lote/r*.txt"
csv="$pasta/lote.csv"
cat $lista >/dev/null
hyperfine --style none --warmup 2 --runs "$execucoes" --ignore-failure --export-csv "$csv" \
  "$cli --jobs 1 $lista" "$cli --jobs 2 $lista" "cat $lista | wc -l" >/dev/null 2>&1
t1=$(campo_csv "$csv" 1 4)
t2=$(campo_csv "$csv" 2 4)
tc=$(campo_csv "$csv" 3 4)
total=$(cat $lista | wc -c)
echo
printf 'Batch: 1,000 files, %.1f MB in all (%d items of each annex type a file)\n' "$(awk -v b="$total" 'BEGIN { print b / 1e6 }')" "$itens"
awk -v t1="$t1" -v t2="$t2" -v tc="$tc" 'BEGIN {
  printf "  rolval-cli --jobs 1: %.3f s  (%.2f ms a file)\n", t1, t1
  printf "  rolval-cli --jobs 2: %.3f s\n", t2
  printf "  cat FILES | wc -l:   %.3f s\n", tc
  printf "target  --jobs 1 within 3x cat FILES | wc -l:       %.2fx  %s\n", t1 / tc, (t1 <= 3 * tc ? "met" : "NOT met")
  printf "target  --jobs 2 faster than --jobs 1:              %.2fx  %s\n", t1 / t2, (t2 < t1 ? "met" : "NOT met")
}'

if [ "$micro" = 1 ]; then
  echo
  echo "Micro-benchmarks:"
  "$build/bench/rolval-micro" --benchmark_min_time=0.2 2>&1
fi
