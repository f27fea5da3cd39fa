#!/usr/bin/env bash
# Builds one fuzz target in the separate clang tree and runs it.
#   fuzz/run_fuzz.sh rtf [seconds]     (default 600 seconds)
# The working corpus lives in build-fuzz/corpus-<name> (seeded from
# fuzz/seeds/<name>); crashes, leaks and timeouts land in build-fuzz/artifacts.
set -euo pipefail
name=${1:?usage: run_fuzz.sh NAME [seconds]}
seconds=${2:-600}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root/..}"
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCORVEL_FUZZ=ON
fi
cmake --build "$build" -j2 --target "fuzz_$name"
corpus="$build/corpus-$name"
mkdir -p "$corpus" "$build/artifacts"
if [ -d "$root/fuzz/seeds/$name" ]; then cp -n "$root/fuzz/seeds/$name"/* "$corpus"/ || true; fi
dict=()
if [ -f "$root/fuzz/$name.dict" ]; then dict=(-dict="$root/fuzz/$name.dict"); fi
exec "$build/bin/fuzz_$name" "$corpus" "${dict[@]}" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/$name-"
