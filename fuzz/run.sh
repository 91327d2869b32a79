#!/usr/bin/env bash
# Runs one libFuzzer target of the fuzz build: run.sh BUILD TARGET SECONDS.
# The growing corpus, crash inputs and the log stay under BUILD/fuzz-work/TARGET;
# the project's own corpus (fuzz/corpus/TARGET) and, where it exists, the
# reference movie collection beside the repository are read as seeds only.
set -euo pipefail
build=$1 target=$2 seconds=$3
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$build/fuzz/$target
work=$build/fuzz-work/$target
mkdir -p "$work/corpus" "$work/crashes"

seeds=()
[ -d "$root/fuzz/corpus/$target" ] && seeds+=("$root/fuzz/corpus/$target")
# Movies of the reference collection, linked (not copied) into the build
# folder so libFuzzer reads only the movies, not their expected output; for
# the interpreter, the action blocks those movies hold.
collection=$root/../shared/swf-corpus
if [ "$target" = SwfFuzz ] && [ -d "$collection" ]; then
  mkdir -p "$work/collection"
  find "$collection" -name '*.swf' | while read -r movie; do
    ln -sf "$movie" "$work/collection/$(echo "$movie" | md5sum | cut -c1-16).swf"
  done
  seeds+=("$work/collection")
fi
if [ "$target" = ActionFuzz ] && [ -d "$collection" ]; then
  find "$collection" -name '*.swf' -print0 | QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=0 xargs -0 "$build/fuzz/ActionSeeds" "$work/collection"
  seeds+=("$work/collection")
fi
dict=()
[ -f "$root/fuzz/$target.dict" ] && dict=(-dict="$root/fuzz/$target.dict")

echo "fuzz: $target for ${seconds}s, log in $work/log"
# The movies' own log lines (pages not opened, scripts stopped) are noise
# here and slow the run; sanitizer and libFuzzer reports still reach the log.
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='*=false' \
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
"$exe" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
  -timeout=10 -max_len=65536 -artifact_prefix="$work/crashes/" "${dict[@]}" \
  "$work/corpus" "${seeds[@]}" > "$work/log" 2>&1 || status=$?
grep -E "^stat::|cov:|ERROR|SUMMARY" "$work/log" | tail -8
ls "$work/crashes" | head -20
exit "${status:-0}"
