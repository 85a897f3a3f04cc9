#!/usr/bin/env bash
# The whole test suite on a fresh machine: installs what is missing, builds with warnings as
# errors, runs every test, then does the same in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and checks that the Release build (what packagers and users build)
# compiles without warnings.
#
# With --rapido, the quick tier for the inner loop: one build without optimisation, sanitizers,
# web page or package, and its tests but the package's.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$raiz"
rapido=false
case "${1:-}" in
  --rapido) rapido=true ;;
  "") ;;
  -h | --help)
    echo "usage: scripts/testa.sh [--rapido]"
    exit 0
    ;;
  *)
    echo "scripts/testa.sh: unknown option '$1' (usage: scripts/testa.sh [--rapido])" >&2
    exit 2
    ;;
esac
./scripts/prepara.sh
jobs="$(nproc)"

if $rapido; then
  # A compiler cache, where there is one, serves every checkout of the tree alike.
  lancador=()
  if command -v ccache >/dev/null; then
    lancador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$raiz"
    # Not the build folder's own path in the key either (debug information keeps it otherwise).
    export CCACHE_NOHASHDIR=true
  fi
  cmake -S . -B build-rapido -DCMAKE_BUILD_TYPE=Debug -DROLVAL_WERROR=ON "${lancador[@]}" >/dev/null
  cmake --build build-rapido -j "$jobs"
  ctest --test-dir build-rapido --output-on-failure -j "$jobs" -E '^pacote_debian$'
  echo "Quick tier passed (one unoptimised build and its tests); ./scripts/testa.sh runs them all."
  exit 0
fi

# One code style: every C++ file as .clang-format writes it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# Hardened as the package ships it, so that the package test makes the package from this build.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLVAL_WERROR=ON -DROLVAL_HARDENING=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The engine under clang-tidy (.clang-tidy says which checks): any finding fails the run.
mapfile -t motor < <(git ls-files 'run/*.cpp' 'checks/*.cpp' 'layouts/*.cpp' 'achados/*.cpp')
run-clang-tidy -p build -j "$jobs" -quiet -extra-arg=-Wno-unknown-warning-option "${motor[@]}" \
  >build/clang-tidy.log 2>&1 || {
  grep -E 'warning:|error:' build/clang-tidy.log | sort -u
  echo "clang-tidy found the above in the engine (whole output: build/clang-tidy.log)" >&2
  exit 1
}

# The plain build (no fast paths): its tests, and its reports against the build above.
./scripts/testa-simples.sh build

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DROLVAL_SANITIZE=ON -DROLVAL_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DROLVAL_WERROR=ON -DROLVAL_TESTS=OFF >/dev/null
cmake --build build-release -j "$jobs"

# The engine in WebAssembly and the browser page: built with Emscripten, compared with rolval-cli
# in Node, driven end to end in headless Chromium; then the package again, now holding the page.
cmake -S . -B build -DROLVAL_WEB=ON >/dev/null
cmake --build build -j "$jobs" --target rolval_web
./tests/web/roda.sh build
ctest --test-dir build --output-on-failure -R pacote_debian

# Every fuzz target for a short while, from its seeds: a crash or a broken property fails the run.
ROLVAL_FUZZ_BUILD="$raiz/build-fuzz" ./fuzz/roda.sh 20
echo "All tests passed (plain, no-fast-path, sanitizer and Release builds, web engine and page, fuzz targets)."
