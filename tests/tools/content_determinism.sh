#!/usr/bin/env bash
# The content tool must write the same bytes on every run: run it twice into
# fresh directories and compare every file.
set -euo pipefail
tool=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zumbra-content.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

"$tool" "$scratch/first" >/dev/null
"$tool" "$scratch/second" >/dev/null

count=$(find "$scratch/first" -type f | wc -l)
if [ "$count" -lt 50 ]; then
    echo "expected the whole data directory, got $count files" >&2
    exit 1
fi
diff -r "$scratch/first" "$scratch/second"
echo "content_determinism: $count files identical in two runs"
