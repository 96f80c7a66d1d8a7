#!/usr/bin/env bash
# Runs workflow/Snakefile end to end on one machine, as `snakemake --cores 2`
# does, on two small families (Infernal's trna-2.sto and examples/trnas.sto),
# in a folder of its own; checks the gathered table, the plots and the
# agreement table, that a second run has nothing to do, that a shard job
# killed after computing its pairs does not compute them again, and that the
# Slurm profile plans the same jobs (a dry run: no cluster needed).
#
#   run_local.sh ZENPHAL_CLI REPOSITORY
set -euo pipefail
cli=$1
repo=$2
fail() { echo "workflow test: $*" >&2; exit 1; }
command -v snakemake >/dev/null || fail "snakemake is missing; scripts/setup.sh installs it (Debian's snakemake)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trna=/usr/share/doc/infernal/examples/testsuite/trna-2.sto
[ -f "$trna" ] || fail "$trna is missing; scripts/setup.sh installs Debian's infernal package, which ships it"
cat >"$work/config.yaml" <<YAML
families:
  - name: trna
    file: $trna
  - name: examples
    file: $repo/examples/trnas.sto
shards: 3
threads: 1
out: results
cli: $cli
YAML
run() { snakemake --snakefile "$repo/workflow/Snakefile" --directory "$work" --configfile "$work/config.yaml" "$@"; }

run --cores 2 --quiet >"$work/run1.log" 2>&1 || { cat "$work/run1.log" >&2; fail "the first run failed"; }

summary=$work/results/summary.tsv
[ "$(head -n1 "$summary" | cut -f1-4)" = "$(printf 'family\tpair\trna1\trna2')" ] || fail "summary.tsv: header is $(head -n1 "$summary")"
[ "$(tail -n +2 "$summary" | wc -l)" = 11 ] || fail "summary.tsv: $(tail -n +2 "$summary" | wc -l) pairs, not 10 + 1"
# The trna pairs in the order batch lists them, each once.
expected=$("$cli" batch --all-pairs "$trna" --out "$work/unused" --list | tail -n +2 | cut -f1)
actual=$(awk -F'\t' '$1 == "trna" { print $2 }' "$summary")
[ "$actual" = "$expected" ] || fail "the trna pairs are not those of batch --list, in its order: $actual"
[ "$(awk -F'\t' '$1 == "examples" { print $2 }' "$summary")" = "yeast_tRNA-Phe_1-76~Leu_gene_tRNA_1-74" ] ||
  fail "the examples family's one pair is missing"
# Every robustness figure is a share.
awk -F'\t' 'NR == 1 { for (c = 1; c <= NF; c++) if ($c == "robustness") col = c; next }
            !($col >= 0 && $col <= 1) { exit 1 }' "$summary" || fail "a robustness figure outside 0 to 1"
png=$work/results/robustness.png
[ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "robustness.png is not a PNG"
[ "$(stat -c %s "$png")" -gt 20000 ] || fail "robustness.png is suspiciously small"

# The agreement with the curated alignments: every pair has its best, the
# families their map and their line of agreement.tsv.
awk -F'\t' 'NR == 1 { for (c = 1; c <= NF; c++) if ($c == "best_agreement") col = c; next }
            !(col && $col != "" && $col >= 0 && $col <= 1) { exit 1 }' "$summary" ||
  fail "a pair without a best agreement between 0 and 1"
table=$work/results/agreement.tsv
[ "$(cut -f1,2 "$table" | tail -n +2 | sort | tr '\n' ' ')" = "examples	1 trna	10 " ] ||
  fail "agreement.tsv: $(cat "$table")"
awk -F'\t' 'NR > 1 && !($3 > 0.5 && $3 <= 1 && $8 > 0 && $8 <= 1 && $9 <= $3) { exit 1 }' "$table" ||
  fail "agreement.tsv: a figure out of its range: $(cat "$table")"
apng=$work/results/agreement.png
[ "$(head -c 8 "$apng" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "agreement.png is not a PNG"

# A second run has nothing to do.
run --cores 2 --dry-run >"$work/run2.log" 2>&1 || { cat "$work/run2.log" >&2; fail "the dry run failed"; }
grep -q "Nothing to be done" "$work/run2.log" || { cat "$work/run2.log" >&2; fail "a second run would redo work"; }

# A shard job killed after its pairs were computed (its table never written,
# so nothing gathered) is run again without computing them again.
rm "$work/results/trna/summary-2-of-3.tsv" "$summary" "$png" "$apng"
run --cores 2 --quiet >"$work/run3.log" 2>&1 || { cat "$work/run3.log" >&2; fail "the run after a lost shard failed"; }
grep -q "3 done before, 0 to compute" "$work/results/logs/trna-2.log" ||
  { cat "$work/results/logs/trna-2.log" >&2; fail "the shard computed its pairs again"; }

# The Slurm profile plans every shard as a job of its own.
run --profile "$repo/workflow/profiles/slurm" --dry-run --forcerun shard >"$work/slurm.log" 2>&1 ||
  { cat "$work/slurm.log" >&2; fail "the Slurm profile's dry run failed"; }
grep -Eq "^shard +6 " "$work/slurm.log" || { cat "$work/slurm.log" >&2; fail "the Slurm profile does not plan 6 shard jobs"; }
echo "workflow test: passed"
