#!/usr/bin/env bash
# Two builds of rolval-cli on the same files, byte for byte: the reports and status files they
# leave with --dir, their JSON Lines output, their text output and their exit status. Used to show
# that a change meant to be invisible (a faster read loop, say) leaves every report as it was.
#
#     bench/compara-base.sh BASE_CLI NEW_CLI GENERATOR [--per-layout N] [--keep DIR] [--add FILE]...
#
#   BASE_CLI    rolval-cli built from the tree before the change
#   NEW_CLI     rolval-cli built from the tree after it
#   GENERATOR   the sample generator (rolval-amostras) of either build
#   --per-layout N  generated files of each layout (default 60): one in four clean, the others
#                   with one of the layout's spoils, some spoiled twice, one to four returns
#   --keep DIR  write the files and the outputs in DIR (created) and leave them there
#   --add FILE  compare on FILE too (say, the bench files of bench/arquivos.sh); may be repeated
#
# Files: the bundled samples; the generated ones; one generated file in five with a few bytes
# changed at random (any of the 256 values); dense files (many annex records a return) of every
# layout; and malformed files (empty, cut, LF-only or lone-CR line ends, unknown, Latin-1 letters,
# a header without digits repeated 3,000 times). Prints the counts compared; exits 1 on any
# difference, naming the first few.
set -euo pipefail

[ $# -ge 3 ] || { sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'; exit 64; }
base="$(realpath "$1")"
novo="$(realpath "$2")"
gerador="$(realpath "$3")"
shift 3
por_layout=60
pasta=""
acrescentados=()
while [ $# -gt 0 ]; do
  case "$1" in
    --per-layout) por_layout="$2"; shift 2 ;;
    --keep) pasta="$2"; shift 2 ;;
    --add) acrescentados+=("$(realpath "$2")"); shift 2 ;;
    *) echo "compara-base.sh: unknown option '$1'" >&2; exit 64 ;;
  esac
done
raiz="$(cd "$(dirname "$0")/.." && pwd)"
source "$raiz/bench/pasta.sh"
escolhe_pasta rolval-compara
arquivos="$pasta/arquivos"
rm -rf "$arquivos" "$pasta/base" "$pasta/novo"
mkdir -p "$arquivos"

# --- The files ----------------------------------------------------------------------------------
cp "$raiz"/samples/* "$arquivos/"
amostras=$(ls "$raiz"/samples | wc -l)
for arquivo in "${acrescentados[@]}"; do cp "$arquivo" "$arquivos/dado-$(basename "$arquivo")"; done

mensais="X01 X02 X03 X04 X05 X05A X05B X06 X07A X07B X08 X09 X10 X11 X12"
estragos_mensais=""
for a in $mensais; do estragos_mensais+=" soma-$a linhas-$a"; done
estragos_mensais+=" digito numerico sequencia vencimento cabecalho"
declare -A estragos=(
  [04]="$estragos_mensais"
  [05]="$estragos_mensais"
  [ST02]="soma-A1 soma-A2 linhas-A1 linhas-A2 linhas-A3 repete-A1 repete-A2 repete-A3 digito numerico vencimento"
  [03]="soma digito numerico vencimento"
  [ST01]="soma digito numerico vencimento"
)
RANDOM=20261207
geradas=0
for layout in 04 05 ST02 03 ST01; do
  read -r -a lista <<<"${estragos[$layout]}"
  for ((i = 0; i < por_layout; i++)); do
    retornos=$((1 + RANDOM % 4))
    opcoes=(--layout "$layout" --returns "$retornos" --seed "$((i + 1))")
    if ((i % 4 != 0)); then
      opcoes+=(--spoil "${lista[i % ${#lista[@]}]}:$((1 + RANDOM % retornos))")
      ((i % 7 == 0)) && opcoes+=(--spoil "${lista[RANDOM % ${#lista[@]}]}:$retornos")
    fi
    # Layouts with annexes: some files with a drawn number of items of each annex type; a spoil
    # that needs more records than were drawn (a repeated record) gets three of each.
    itens=()
    if [ "$layout" != 03 ] && [ "$layout" != ST01 ]; then
      ((i % 5 == 2)) && itens=(--items "$((1 + RANDOM % 12))")
    fi
    destino="$arquivos/gerado-$layout-$((i + 1)).txt"
    "$gerador" "${opcoes[@]}" "${itens[@]}" -o "$destino" 2>/dev/null ||
      "$gerador" "${opcoes[@]}" --items 3 -o "$destino"
    geradas=$((geradas + 1))
  done
done

# A few bytes of one generated file in five changed at random.
alteradas=$(python3 - "$arquivos" <<'EOF'
import os, random, sys
pasta = sys.argv[1]
sorteio = random.Random(20261207)
n = 0
for i, nome in enumerate(sorted(f for f in os.listdir(pasta) if f.startswith('gerado-'))):
    if i % 5:
        continue
    dados = bytearray(open(os.path.join(pasta, nome), 'rb').read())
    for _ in range(1 + sorteio.randrange(6)):
        dados[sorteio.randrange(len(dados))] = sorteio.randrange(256)
    open(os.path.join(pasta, nome.replace('gerado-', 'alterado-')), 'wb').write(dados)
    n += 1
print(n)
EOF
)

# Dense files: many annex records or items a return, where the per-line costs show most; and many
# one-line returns of the layouts without annexes.
densas=0
for layout in 05 04 ST02; do
  "$gerador" --layout "$layout" --returns 30 --items 20 --seed 7 -o "$arquivos/denso-$layout.txt"
  "$gerador" --layout "$layout" --returns 30 --items 20 --seed 8 --spoil digito:3 --spoil numerico:30 \
    -o "$arquivos/denso-estragado-$layout.txt"
  densas=$((densas + 2))
done
for layout in 03 ST01; do
  "$gerador" --layout "$layout" --returns 500 --seed 7 --spoil numerico:250 -o "$arquivos/denso-$layout.txt"
  densas=$((densas + 1))
done

malformadas=$(python3 - "$arquivos" "$raiz/samples/rol05-limpo.txt" <<'EOF'
import os, re, sys
pasta, origem = sys.argv[1], sys.argv[2]
base = open(origem, 'rb').read()
cabecalho = base.split(b'\r\n')[0]
sem_numeros = cabecalho[:100] + re.sub(rb'[0-9]', b'A', cabecalho[100:])
casos = {
    'muitos-achados.txt': (sem_numeros + b'\r\n') * 3000,
    'vazio.txt': b'',
    'cortado.txt': base[:-7],
    'so-lf.txt': base.replace(b'\r\n', b'\n'),
    'cr-sozinho.txt': base.replace(b'\r\n', b'\r'),
    'desconhecido.txt': b'NADA AQUI\r\n',
    'latin1.txt': '****05çãé\xe7\xff\x80\x01 registro\r\n'.encode('latin1'),
    'linha-longa.txt': base[:898] + b'X' * 5000 + b'\r\n' + base[900:],
}
for nome, dados in casos.items():
    open(os.path.join(pasta, nome), 'wb').write(dados)
print(len(casos))
EOF
)

# --- The runs -----------------------------------------------------------------------------------
# Each build: every file with --dir (a report pair per file) and JSON Lines, then the text output,
# in batches of 100 files; the exit status of each batch is kept with its output.
executa() {  # cli destination
  local cli="$1" destino="$2"
  mkdir -p "$destino/relatorios"
  local -a todos
  mapfile -t todos < <(ls "$arquivos" | sort)
  local lote=0
  for ((k = 0; k < ${#todos[@]}; k += 100)); do
    local -a parte=()
    for nome in "${todos[@]:k:100}"; do parte+=("$arquivos/$nome"); done
    local rc=0
    "$cli" --jobs 2 --format jsonl --dir "$destino/relatorios" "${parte[@]}" \
      >"$destino/jsonl-$lote.txt" 2>"$destino/jsonl-$lote.err" || rc=$?
    echo "$rc" >"$destino/jsonl-$lote.rc"
    rc=0
    "$cli" --jobs 1 "${parte[@]}" >"$destino/texto-$lote.txt" 2>"$destino/texto-$lote.err" || rc=$?
    echo "$rc" >"$destino/texto-$lote.rc"
    lote=$((lote + 1))
  done
}
executa "$base" "$pasta/base"
executa "$novo" "$pasta/novo"

# Keys that findings gained after the base (record type, field, bytes found, declared and computed
# values) come after every older key: both sides are compared on the keys before them.
python3 - "$pasta/base" "$pasta/novo" <<'EOF'
import glob, os, sys
for lado in sys.argv[1:]:
    for caminho in glob.glob(os.path.join(lado, 'jsonl-*.txt')):
        linhas = open(caminho, 'rb').read().split(b'\n')
        corte = b',"record_type":'
        linhas = [l[:l.index(corte)] + b'}' if l.startswith(b'{"type":"finding"') and corte in l
                  else l for l in linhas]
        open(caminho, 'wb').write(b'\n'.join(linhas))
EOF

total=$(ls "$arquivos" | wc -l)
relatorios=$(ls "$pasta/base/relatorios" | wc -l)
diferencas=$(diff -rq "$pasta/base" "$pasta/novo" || true)
printf 'compared %d files: %d bundled samples, %d given, %d generated (%d a layout), %d with random bytes, %d dense, %d malformed\n' \
  "$total" "$amostras" "${#acrescentados[@]}" "$geradas" "$por_layout" "$alteradas" "$densas" "$malformadas"
printf '%d report and status files, %d JSON Lines and %d text outputs with their exit status\n' \
  "$relatorios" "$(ls "$pasta/base"/jsonl-*.txt | wc -l)" "$(ls "$pasta/base"/texto-*.txt | wc -l)"
if [ -n "$diferencas" ]; then
  echo "DIFFERENT:"
  printf '%s\n' "$diferencas" | head -20
  exit 1
fi
echo "identical: every report, status file, JSON Lines and text output and exit status"
