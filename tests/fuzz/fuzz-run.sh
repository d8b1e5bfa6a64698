#!/bin/sh
# Runs one fuzz target for a bounded time on a scratch copy of its committed
# corpus (what it finds new stays out of the tree); any crash, leak or
# sanitizer report fails, and the input that caused it is kept beside the
# build for a regression case.
# Usage: fuzz-run.sh <target> <corpus folder> <seconds>
set -eu
target=$1 corpus=$2 seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$corpus/." "$work/"
artifacts="$(dirname "$target")/findings/"
mkdir -p "$artifacts"
# One run over the committed corpus first: every regression case must pass.
"$target" -runs=0 -artifact_prefix="$artifacts" "$corpus" >"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$artifacts" -print_final_stats=1 "$work" >"$work.log" 2>&1 ||
    { tail -60 "$work.log" >&2; rm -f "$work.log"; exit 1; }
grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$work.log"
rm -f "$work.log"
