#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root, and runs the installed programs
# from there; checks the manual pages render without warnings and lintian finds no error.
set -euo pipefail
build="$1"
versao="$2"
cd "$build"
cpack -G DEB --config CPackConfig.cmake >/dev/null
deb="$(ls pacote/rolval_"${versao}"_*.deb)"
raiz="$(mktemp -d)"
trap 'rm -rf "$raiz"' EXIT
dpkg-deb -x "$deb" "$raiz"

for f in usr/bin/rolval usr/bin/rolval-cli usr/share/applications/rolval.desktop \
         usr/share/icons/hicolor/scalable/apps/rolval.svg usr/share/man/man1/rolval-cli.1.gz \
         usr/share/man/man1/rolval.1.gz usr/share/doc/rolval/copyright; do
  [ -e "$raiz/$f" ] || { echo "missing from the package: $f"; exit 1; }
done

# The browser page, when the build made it (ROLVAL_WEB), as it was built.
if [ -e web/rolval.html ]; then
  cmp -s web/rolval.html "$raiz/usr/share/rolval/web/rolval.html" || { echo "the package lacks the browser page"; exit 1; }
fi

[ "$("$raiz/usr/bin/rolval-cli" --version)" = "rolval-cli $versao" ] || { echo "wrong --version"; exit 1; }
set +e
relatorio="$("$raiz/usr/bin/rolval-cli" "$raiz/usr/share/doc/rolval/examples/rol05-limpo.txt")"
status=$?
set -e
[ "$status" -eq 0 ] || { echo "the installed rolval-cli gave status $status"; echo "$relatorio"; exit 1; }
grep -q "^ARQUIVO OK." <<<"$relatorio" || { echo "$relatorio"; exit 1; }

depende="$(dpkg-deb -f "$deb" Depends)"
grep -q "libqt6widgets6" <<<"$depende" || { echo "Depends lacks Qt 6 Widgets: $depende"; exit 1; }

for p in rolval rolval-cli; do
  avisos="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$raiz/usr/share/man/man1/$p.1.gz" 2>&1 >/dev/null)"
  [ -z "$avisos" ] || { echo "man $p: $avisos"; exit 1; }
done

if command -v lintian >/dev/null; then
  lintian --allow-root --no-tag-display-limit "$deb" > lintian.txt 2>&1 || true
  if grep -q '^E:' lintian.txt; then cat lintian.txt; exit 1; fi
  grep -E '^(W|I):' lintian.txt || true
fi
echo "package $(basename "$deb") checked"
