#!/bin/sh
# Fuzzes the library with libFuzzer (clang 14, with AddressSanitizer and
# UndefinedBehaviorSanitizer) and merges what was found into the committed
# corpus.  Usage: tests/fuzz/run-fuzz.sh TARGET SECONDS
#   TARGET: parameter_reader, drawing, placement or landxml
# The run goes on after a crash or a hang (fork mode); each one is kept as
# build-fuzz/crash-TARGET-* or timeout-* and the log is build-fuzz/fuzz-TARGET.log.
set -eu
cd "$(dirname "$0")/../.."
target=${1:?target: parameter_reader, drawing, placement or landxml}
seconds=${2:-60}

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DKORVANE_BUILD_FRONTEND=OFF -DKORVANE_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
# Only the fuzz program: the shared library is not linked with the sanitizer
# run-time here, and the fuzz program links the library's objects itself.
cmake --build build-fuzz --target "fuzz_$target" -j2 >/dev/null

fuzzer=build-fuzz/fuzz/fuzz_$target
# A target with a dictionary of its own (its file format's words) uses it.
dict=tests/fuzz/$target.dict
[ -f "$dict" ] || dict=tests/fuzz/korvane.dict
work=build-fuzz/corpus-$target
mkdir -p "$work"
status=0
"$fuzzer" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
  -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
  -dict="$dict" -print_final_stats=1 \
  -artifact_prefix=build-fuzz/crash-"$target"- \
  "$work" tests/fuzz/corpus/"$target" >build-fuzz/fuzz-"$target".log 2>&1 || status=$?
tail -n 3 build-fuzz/fuzz-"$target".log

# Keep the committed corpus minimal: only inputs that add coverage.
rm -rf build-fuzz/merged-"$target"
mkdir -p build-fuzz/merged-"$target"
"$fuzzer" -merge=1 -timeout=20 -rss_limit_mb=4096 -artifact_prefix=build-fuzz/merge-crash-"$target"- \
  build-fuzz/merged-"$target" \
  tests/fuzz/corpus/"$target" "$work" >build-fuzz/merge-"$target".log 2>&1
# The named seeds (the sample design and its variations) stay as they are.
for seed in tests/fuzz/corpus/"$target"/*; do
  case $(basename "$seed") in
    *[!0-9a-f]*) cp "$seed" build-fuzz/merged-"$target"/ ;;
  esac
done
rm -rf tests/fuzz/corpus/"$target"
mv build-fuzz/merged-"$target" tests/fuzz/corpus/"$target"
ls build-fuzz/crash-"$target"-* 2>/dev/null || true
exit "$status"
