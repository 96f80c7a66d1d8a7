#!/usr/bin/env bash
# Pins zenphal-cli's outputs on the example pairs to the last byte: reports,
# JSON, SVG and PNG pictures, point reports. Every output is written into one
# folder and compared with the digests in outputs.sha256.
#
#   outputs.sh CLI            compare (exit 1 naming each output that differs)
#   outputs.sh CLI --update   write the digests anew (after an intended change)
set -euo pipefail
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
examples="$here/../../examples"

run() {  # run NAME ARGS...: stdout to NAME
  local name=$1
  shift
  "$cli" "$@" >"$out/$name"
}

run examples.txt examples
for i in 1 2 3 4 5 6; do
  for j in 1 2 3 4 5 6; do
    run "decompose-$i-$j.txt" decompose -q "example:$i" "example:$j" --json "$out/decompose-$i-$j.json"
  done
done
run decompose-3-4-wide.txt decompose -q example:3 example:4 --mismatch 0,10 --gap 0,5 \
  --json "$out/decompose-3-4-wide.json" --svg "$out/decompose-3-4-wide.svg" --png "$out/decompose-3-4-wide.png" --label
run decompose-5-6-inner.txt decompose -q example:5 example:6 --mismatch 0.5,1.5 --gap 1,3 \
  --json "$out/decompose-5-6-inner.json"
run decompose-1-2-scores.txt decompose -q example:1 example:2 --match 2 --indel 1 --json "$out/decompose-1-2-scores.json"
run decompose-5-6-pictures.txt decompose -q example:5 example:6 --svg "$out/pictures-5-6.svg" --png "$out/pictures-5-6.png"
run decompose-5-6-labels.txt decompose -q example:5 example:6 --svg "$out/labels-5-6.svg" --png "$out/labels-5-6.png" --label
for at in 0,0 1,1 1,4 2,2 0.3,1.7 7,0.25; do
  run "align-5-6-$at.txt" align example:5 example:6 --at "$at"
  run "align-3-4-$at.json" align example:3 example:4 --at "$at" --json
done
run align-files.txt align "$examples/yeast-trna.dbn" "$examples/trnas.ct#2" --at 1,1
run align-bpseq.json align "$examples/yeast-trna.bpseq" example:6 --at 0.5,0.5 --json --match 2 --indel 1

cd "$out"
if [ "${2:-}" = "--update" ]; then
  sha256sum -- * >"$here/outputs.sha256"
  echo "outputs.sh: wrote $(wc -l <"$here/outputs.sha256") digests to $here/outputs.sha256"
  exit 0
fi
# Every pinned output must still be made, and be the same.
sha256sum --quiet -c "$here/outputs.sha256"
made=$(ls | wc -l)
pinned=$(wc -l <"$here/outputs.sha256")
if [ "$made" != "$pinned" ]; then
  echo "outputs.sh: made $made outputs, $pinned are pinned; run with --update after an intended change" >&2
  exit 1
fi
