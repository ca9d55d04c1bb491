#!/bin/sh
# Fuzzes the library with libFuzzer (clang 14) and merges what was found into
# the committed corpus.  Usage: tests/fuzz/run-fuzz.sh TARGET SECONDS
#   TARGET: parameter_reader or drawing
set -eu
cd "$(dirname "$0")/../.."
target=${1:?target: parameter_reader or drawing}
seconds=${2:-60}

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DKORVANE_BUILD_FRONTEND=OFF -DKORVANE_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target "fuzz_$target" korvane -j2 >/dev/null

work=build-fuzz/corpus-$target
mkdir -p "$work"
build-fuzz/fuzz/"fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/crash-"$target"- \
  "$work" tests/fuzz/corpus/"$target"
# Keep the committed corpus minimal: only inputs that add coverage.
mkdir -p build-fuzz/merged-$target
build-fuzz/fuzz/"fuzz_$target" -merge=1 build-fuzz/merged-$target tests/fuzz/corpus/"$target" "$work"
rm -rf tests/fuzz/corpus/"$target"
mv build-fuzz/merged-$target tests/fuzz/corpus/"$target"
