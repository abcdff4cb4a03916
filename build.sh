#!/usr/bin/env bash
# Sets up, builds and then plays or tests Zanderfell on Debian 12.
#   ./build.sh play   installs what is missing, builds, starts the game
#   ./build.sh test   installs what is missing, builds, runs every test
# Both are safe to run again; the second time they only rebuild what changed.
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-play}
case "$mode" in play|test) ;; *) echo "usage: $0 play|test" >&2; exit 2 ;; esac

missing=()
while read -r pkg; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done < debian-packages.txt
if ((${#missing[@]})); then
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo=sudo; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
# The benchmarks are built too (a few seconds), so that they never stop
# compiling unnoticed; bench/run.sh runs them when asked for.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZF_WERROR=ON -DZF_BENCH=ON >/dev/null
cmake --build build -j"$jobs"

if [[ "$mode" == play ]]; then
  cd build/run
  exec ./zanderfell
fi

ctest --test-dir build --output-on-failure -j"$jobs"

# The same suite once more under AddressSanitizer and UndefinedBehaviorSanitizer
# (clang), with a short run of each fuzz target. The real-window tests ran above.
# Line tables are all the sanitizers' reports need, and much cheaper to build.
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" \
  -DZF_SANITIZE=ON -DZF_FUZZ=ON -DZF_BENCH=OFF -DZF_WERROR=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -E EndToEnd
