#!/bin/sh
# Builds the parameter file reader's fuzz target with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs it for a while.
#   fuzz/run.sh [SECONDS]        (default 60)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build="$root/build-fuzz"
seconds=${1:-60}
if ! command -v clang++ >/dev/null 2>&1 || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed"; then
  echo "Installing clang for the fuzzer"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi
sanitizers="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DKESTRIN_BUILD_TESTS=OFF -DKESTRIN_BUILD_BENCHMARKS=OFF -DKESTRIN_BUILD_WINDOW=OFF \
  -DKESTRIN_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target ign_reader_fuzz

corpus="$build/corpus"
mkdir -p "$corpus"
cp -n "$here"/corpus/* "$corpus"/ 2>/dev/null || true
cd "$build"
./fuzz/ign_reader_fuzz -dict="$here/ign.dict" -max_total_time="$seconds" -max_len=65536 -timeout=10 -print_final_stats=1 "$corpus"
