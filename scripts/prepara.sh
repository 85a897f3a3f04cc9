#!/usr/bin/env bash
# Installs what building and testing ROLVAL needs, when it is missing (Debian packages). With the
# argument "minimal", only what building rolval-cli needs.
set -euo pipefail
minimos=(build-essential cmake nlohmann-json3-dev)
pacotes=(build-essential cmake g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
         qt6-base-dev qt6-translations-l10n nlohmann-json3-dev clang libclang-rt-dev xvfb xauth time poppler-utils fonts-liberation
         dpkg-dev lintian man-db groff-base perl clang-format clang-tidy ccache
         emscripten chromium)  # the engine in WebAssembly and the browser test
if [ "${1:-}" = minimal ]; then
  pacotes=("${minimos[@]}")
fi
faltam=()
for p in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam+=("$p")
done
if [ ${#faltam[@]} -gt 0 ]; then
  echo "Installing: ${faltam[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${faltam[@]}"
fi
[ "${1:-}" = minimal ] && exit 0
# Node.js and npm for the web build and tests: Debian's only where the machine has none of its own.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends nodejs npm
fi
