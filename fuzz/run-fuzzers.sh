#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset over its seeds in fuzz/corpus/:
#   fuzz/run-fuzzers.sh --runs N       each target for N inputs (what CI does)
#   fuzz/run-fuzzers.sh --seconds S    each target for S seconds (make fuzz)
# New inputs that reach new code are kept in build/fuzz/corpus/ (the seeds in
# the repository stay as they are); a crash leaves its input in
# build/fuzz/crashes/ and ends the script with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-runs=200000)
case "${1:-}" in
  --runs) limit=(-runs="$2") ;;
  --seconds) limit=(-max_total_time="$2") ;;
  "") ;;
  *) echo "usage: $0 [--runs N | --seconds S]" >&2; exit 2 ;;
esac

build=build/fuzz
mkdir -p "$build/crashes"
for target in card_text range_text odds_arguments report_arguments; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/$target.log"
  echo "fuzz: $target (${limit[*]})"
  status=0
  "$build/fuzz/${target}_fuzz" "${limit[@]}" -max_len=512 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
    "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "fuzz: $target failed (status $status); the input is in $build/crashes/" >&2
    exit 1
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$log" || true
done
