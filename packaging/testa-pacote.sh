#!/usr/bin/env bash
# Builds the Debian package from a hardened build, unpacks it into a temporary root and checks it
# from there: its files and fields, the hardening of its programs, the installed programs on the
# shipped samples, every example of rolval-cli(1) run as written, the shell completion, both manual
# pages rendered without a warning, and lintian with no tag at all, informational ones included.
set -euo pipefail
build="$(cd "$1" && pwd)"
versao="$2"
fontes="$(cd "$(dirname "$0")/.." && pwd)"
falha() { echo "$*" >&2; exit 1; }

# The package's build: the given one when it is hardened, else a hardened one made beside it (with
# the browser page the given build made, if any).
if grep -q '^ROLVAL_HARDENING:BOOL=ON$' "$build/CMakeCache.txt"; then
  pacote="$build"
else
  pacote="$build/pacote-endurecido"
  pagina=()
  [ -e "$build/web/rolval.html" ] && pagina=(-DROLVAL_PAGINA_WEB="$build/web/rolval.html")
  cmake -S "$fontes" -B "$pacote" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_HARDENING=ON \
    -DROLVAL_TESTS=OFF -DROLVAL_BENCH=OFF "${pagina[@]}" >/dev/null
  cmake --build "$pacote" -j "$(nproc)" >/dev/null
fi
cd "$pacote"
rm -f pacote/rolval_*.deb
cpack -G DEB --config CPackConfig.cmake >/dev/null
deb="$(ls pacote/rolval_"${versao}"_*.deb)"
raiz="$(mktemp -d)"
trap 'rm -rf "$raiz"' EXIT
dpkg-deb -x "$deb" "$raiz"

exemplos=usr/share/doc/rolval/examples
for f in usr/bin/rolval usr/bin/rolval-cli usr/share/applications/rolval.desktop \
         usr/share/icons/hicolor/scalable/apps/rolval.svg usr/share/man/man1/rolval-cli.1.gz \
         usr/share/man/man1/rolval.1.gz usr/share/doc/rolval/copyright \
         usr/share/bash-completion/completions/rolval-cli; do
  [ -e "$raiz/$f" ] || falha "missing from the package: $f"
done
for amostra in "$fontes"/samples/*.txt; do
  cmp -s "$amostra" "$raiz/$exemplos/$(basename "$amostra")" || falha "sample not shipped: $amostra"
done

# The browser page, when the build made it (ROLVAL_WEB), as it was built.
if [ -e "$build/web/rolval.html" ]; then
  cmp -s "$build/web/rolval.html" "$raiz/usr/share/rolval/web/rolval.html" || falha "the package lacks the browser page"
fi

# Fields: dependencies from the linked libraries; the long description as one flowing paragraph
# (a line with two leading blanks would be shown as preformatted text).
depende="$(dpkg-deb -f "$deb" Depends)"
grep -q "libqt6widgets6" <<<"$depende" || falha "Depends lacks Qt 6 Widgets: $depende"
descricao="$(dpkg-deb -f "$deb" Description)"
! grep -q '^  ' <<<"$descricao" || falha "the description has preformatted lines: $descricao"

# Hardening: relocations read-only and bound at start, stack protector, fortified calls.
# (Each listing whole in a variable: grep -q stopping early would fail the pipe under pipefail.)
for p in rolval rolval-cli; do
  bin="$raiz/usr/bin/$p"
  cabecalhos="$(readelf -lW "$bin")"
  dinamica="$(readelf -dW "$bin")"
  simbolos="$(readelf -W --dyn-syms "$bin")"
  grep -q GNU_RELRO <<<"$cabecalhos" || falha "$p: no RELRO"
  grep -Eq 'BIND_NOW|FLAGS.*\bNOW\b' <<<"$dinamica" || falha "$p: not bound at start"
  grep -q '__stack_chk_fail' <<<"$simbolos" || falha "$p: no stack protector"
  grep -Eq '__[a-z]+_chk@' <<<"$simbolos" || falha "$p: no fortified call"
done

cli="$raiz/usr/bin/rolval-cli"
versao_cli="$("$cli" --version)"
ajuda="$("$cli" --help)"
[ "$(head -n 1 <<<"$versao_cli")" = "rolval-cli $versao" ] || falha "wrong --version"
grep -q '^License MIT' <<<"$versao_cli" || falha "--version has no licence"
tail -n 1 <<<"$ajuda" | grep -q '^Report bugs to <' || falha "--help does not end with where to report bugs"
for amostra in "$raiz/$exemplos"/*.txt; do
  esperado=0
  [[ $amostra == *-com-erros.txt ]] && esperado=1
  status=0
  relatorio="$("$cli" "$amostra")" || status=$?
  [ "$status" -eq "$esperado" ] || falha "the installed rolval-cli gave status $status for $amostra: $relatorio"
done

# Every example of rolval-cli(1), run as written in a folder that holds the files they name.
pasta="$raiz/exemplos"
mkdir -p "$pasta/entrada"
cp "$raiz/$exemplos"/*.txt "$pasta/entrada/"
cp "$raiz/$exemplos/rol05-com-erros.txt" "$pasta/retorno.txt"
gzip -c "$pasta/retorno.txt" > "$pasta/retorno.txt.gz"
n=0
while IFS= read -r exemplo; do
  n=$((n + 1))
  status=0
  (cd "$pasta" && PATH="$raiz/usr/bin:$PATH" bash -c "$exemplo" > "$raiz/out" 2> "$raiz/err") || status=$?
  [ "$status" -le 1 ] && [ ! -s "$raiz/err" ] || falha "example '$exemplo': status $status: $(cat "$raiz/err")"
  [[ $exemplo == *"> /dev/null"* ]] || [ -s "$raiz/out" ] || falha "example '$exemplo' printed nothing"
  if [[ $exemplo == *awk* ]]; then ! grep -q TOTAL "$raiz/out" || falha "example '$exemplo' printed the TOTAL line"; fi
done < <(perl -ne 'if (/^=head1 (.*)/) { $e = $1 eq "EXAMPLES"; next } print if $e && s/^ +(?=\S)//' \
           "$fontes/packaging/rolval-cli.pod")
[ "$n" -ge 5 ] || falha "only $n examples found in rolval-cli(1)"

# The shell completion: options and their values, and every long option of --help.
completa() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _rolval_cli; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$raiz/usr/share/bash-completion/completions/rolval-cli" "$@"
}
[ "$(completa rolval-cli --form)" = "--format" ] || falha "completion of --form: $(completa rolval-cli --form)"
[ "$(completa rolval-cli --format "")" = $'text\njsonl\ncsv' ] || falha "completion of --format's values"
[ "$(completa rolval-cli --separator "")" = $';\n,' ] || falha "completion of --separator's values"
[ "$(completa rolval-cli --format = j)" = "jsonl" ] || falha "completion of --format=j"
diff <(grep -oE -- '--[a-z][a-z-]+' <<<"$ajuda" | sort -u) <(completa rolval-cli -- | sort -u) \
  || falha "the completion and --help name different options"

for p in rolval rolval-cli; do
  pagina="$raiz/usr/share/man/man1/$p.1.gz"
  avisos="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$pagina" 2>&1 >/dev/null)"
  [ -z "$avisos" ] || falha "man $p: $avisos"
  avisos="$(zcat "$pagina" | LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z 2>&1)"
  [ -z "$avisos" ] || falha "groff $p: $avisos"
done

# lintian: no error, no warning, no informational tag.
if command -v lintian >/dev/null; then
  lintian --allow-root --display-info --tag-display-limit 0 "$deb" > lintian.txt 2>&1 || true
  if grep -E '^[EWI]:' lintian.txt; then
    cat lintian.txt
    falha "lintian has tags for the package"
  fi
fi
echo "package $(basename "$deb") checked"
