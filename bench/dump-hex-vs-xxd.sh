#!/usr/bin/env bash
# orlu-dump's hex form of a 100 MB file against xxd on the same file: wall
# time and peak memory of each (GNU time). The dump should take no more than
# three times as long as xxd. Usage: bench/dump-hex-vs-xxd.sh [BUILD_DIR]
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/.." && pwd)/build}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$build/tools/orlu-fixture" container --kind 5 --data-bytes 104857600 "$dir/big.orl"
cat "$dir/big.orl" >/dev/null # into the page cache
measure() { /usr/bin/time -f "%e %M" "$@" >/dev/null 2>"$dir/time" && tail -1 "$dir/time"; }
read -r dump_s dump_kb < <(measure "$build/tools/orlu-dump" "$dir/big.orl" --view 1 --form hex)
read -r xxd_s xxd_kb < <(measure xxd "$dir/big.orl")
echo "orlu-dump --form hex: ${dump_s} s, ${dump_kb} KB peak"
echo "xxd:                  ${xxd_s} s, ${xxd_kb} KB peak"
awk -v d="$dump_s" -v x="$xxd_s" 'BEGIN { printf "ratio: %.2f (limit 3)\n", d / x }'
