# One heat map per family of the robustness figure over its member pairs:
# the share of the score rectangle in which the alignment optimal at the
# summary's point stays optimal (1: the same alignment everywhere).
import csv
import math

import matplotlib

matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402


def families_of(rows):
    families = {}
    for row in rows:
        families.setdefault(row["family"], []).append(row)
    return families


def members_of(rows):
    members = []
    for row in rows:
        for m in (row["member1"], row["member2"]):
            if m not in members:
                members.append(m)
    return members


def heat_map(ax, family, rows):
    members = members_of(rows)
    index = {m: i for i, m in enumerate(members)}
    values = np.full((len(members), len(members)), np.nan)
    for row in rows:
        i, j = index[row["member1"]], index[row["member2"]]
        values[i, j] = values[j, i] = float(row["robustness"])
    image = ax.imshow(values, vmin=0.0, vmax=1.0, cmap="viridis")
    size = max(4.0, min(9.0, 200.0 / len(members)))
    ax.set_xticks(range(len(members)), members, rotation=90, fontsize=size)
    ax.set_yticks(range(len(members)), members, fontsize=size)
    if len(members) <= 16:
        for i in range(len(members)):
            for j in range(len(members)):
                if not math.isnan(values[i, j]):
                    ax.text(j, i, f"{values[i, j]:.2f}", ha="center", va="center", fontsize=size,
                            color="white" if values[i, j] < 0.6 else "black")
    ax.set_title(f"{family}: {len(members)} members, {len(rows)} pairs", fontsize=10)
    return image


def main(summary, output, mismatch, gap):
    with open(summary, newline="") as f:
        rows = list(csv.DictReader(f, delimiter="\t"))
    families = families_of(rows)
    if not families:
        raise SystemExit(f"plot: {summary} holds no pairs")
    columns = min(2, len(families))
    lines = math.ceil(len(families) / columns)
    # Room for the member names beside and under each map.
    names = max(len(m) for family_rows in families.values() for m in members_of(family_rows))
    side = 5.0 + 0.08 * names
    fig, axes = plt.subplots(lines, columns, figsize=(side * columns + 1.5, side * lines + 1.0), squeeze=False,
                             layout="constrained")
    image = None
    for ax, (family, family_rows) in zip(axes.flat, families.items()):
        image = heat_map(ax, family, family_rows)
    for ax in list(axes.flat)[len(families):]:
        ax.axis("off")
    points = sorted({row["point"] for row in rows})
    fig.suptitle("Robustness: the share of the score rectangle (mismatch " + mismatch.replace(",", " to ") +
                 ", gap " + gap.replace(",", " to ") + ") where the alignment optimal at " +
                 " / ".join(f"({p})" for p in points) + " stays optimal", fontsize=11)
    fig.colorbar(image, ax=axes.ravel().tolist(), shrink=0.8, label="share of the rectangle")
    fig.savefig(output, dpi=120, bbox_inches="tight")  # nothing cut off


main(snakemake.input[0], snakemake.output[0], str(snakemake.params.mismatch), str(snakemake.params.gap))
