# Gathers the shard summary tables of every family into one table with a
# family column first, the pairs in the order zenphal-cli batch lists them:
# shard I holds pairs I, I+N, I+2N, ... of its family, so taking the shards'
# rows in turn restores the order.
import csv
import sys


def read_table(path):
    with open(path, newline="") as f:
        rows = list(csv.reader(f, delimiter="\t"))
    if not rows:
        sys.exit(f"gather: {path} is empty; it should begin with a header line")
    return rows[0], rows[1:]


def main(inputs, families, shards, output):
    header = None
    table = []
    for k, family in enumerate(families):
        parts = []
        for path in inputs[k * shards:(k + 1) * shards]:
            shard_header, rows = read_table(path)
            if header is None:
                header = shard_header
            elif shard_header != header:
                sys.exit(f"gather: {path} has other columns than {inputs[0]}")
            parts.append(rows)
        longest = max(len(rows) for rows in parts)
        for r in range(longest):
            for rows in parts:
                if r < len(rows):
                    table.append([family] + rows[r])
    with open(output, "w", newline="") as f:
        writer = csv.writer(f, delimiter="\t", lineterminator="\n")
        writer.writerow(["family"] + header)
        writer.writerows(table)


main(list(snakemake.input), list(snakemake.params.families), int(snakemake.params.shards), snakemake.output[0])
