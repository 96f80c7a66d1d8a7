# Where in the score rectangle do the optimal alignments agree best with a
# family's curated alignment? For every member pair, each pair's
# decomposition (FAMILY/pairs/PAIR.json, as zenphal-cli batch writes it)
# says which alignment is optimal where, and how far it agrees with the
# pair's own alignment in the family's Stockholm file. Sampled on a grid over
# the rectangle, the mean over the family's pairs is drawn as a heat map, one
# per family, with the region within 0.01 of the best outlined; agreement.tsv
# gives, per family, the best mean and its first cell (lowest gap, then
# lowest mismatch score), the extent and share of the region within 0.01 of
# it, and the mean over the whole rectangle.
import csv
import json
import math
import os

import matplotlib

matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from matplotlib.path import Path  # noqa: E402

# The region drawn and listed as the best: within this much of the best mean.
NEAR_BEST = 0.01


def hull(points):
    """The convex hull, counter-clockwise, of (x, y) points (a polygon's edge ends)."""
    points = sorted(set(points))
    if len(points) < 3:
        return points

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in points:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(points):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def regions_of(document):
    """Each polygon's hull and its agreement (None where not defined)."""
    regions = []
    for polygon in document["polygons"]:
        corners = hull([(e[0], e[1]) for e in polygon["edges"]] + [(e[2], e[3]) for e in polygon["edges"]])
        value = (polygon.get("agreement") or {}).get("value")
        if len(corners) >= 3 and value is not None:
            regions.append((np.array(corners), value))
    return regions


def agreement_grid(document, points, shape):
    """The agreement of the alignment optimal at each point; a point on a
    border takes the first region that holds it."""
    values = np.full(len(points), np.nan)
    regions = regions_of(document)
    for corners, value in regions:
        inside = Path(corners).contains_points(points) & np.isnan(values)
        values[inside] = value
    # Points on borders (where contains_points may say no to both sides):
    # each region grown by a hair around its centre.
    for corners, value in regions:
        left = np.isnan(values)
        if not left.any():
            break
        centre = corners.mean(axis=0)
        grown = centre + (corners - centre) * (1 + 1e-6)
        values[left & Path(grown).contains_points(points)] = value
    return values.reshape(shape)


def pair_documents(out, rows):
    for row in rows:
        path = os.path.join(out, row["family"], "pairs", row["pair"] + ".json")
        with open(path) as f:
            document = json.load(f)
        if "reference" in document:
            yield document


def best_region(mean, xs, ys):
    """The best mean, the cells within NEAR_BEST of it, and their extent."""
    best = np.nanmax(mean)
    near = mean >= best - NEAR_BEST
    rows, columns = np.nonzero(near)
    step_x, step_y = xs[1] - xs[0], ys[1] - ys[0]
    return best, near, (xs[columns.min()] - step_x / 2, xs[columns.max()] + step_x / 2,
                        ys[rows.min()] - step_y / 2, ys[rows.max()] + step_y / 2)


def main(summary, output_png, output_tsv, out, mismatch, gap, cells):
    with open(summary, newline="") as f:
        rows = list(csv.DictReader(f, delimiter="\t"))
    families = {}
    for row in rows:
        families.setdefault(row["family"], []).append(row)
    if not families:
        raise SystemExit(f"agreement: {summary} holds no pairs")
    x0, x1 = (float(v) for v in mismatch.split(","))
    y0, y1 = (float(v) for v in gap.split(","))
    # Cell centres; as many cells along the shorter side as the longer's share.
    nx = cells if x1 - x0 >= y1 - y0 else max(2, round(cells * (x1 - x0) / (y1 - y0)))
    ny = cells if y1 - y0 >= x1 - x0 else max(2, round(cells * (y1 - y0) / (x1 - x0)))
    xs = x0 + (np.arange(nx) + 0.5) * (x1 - x0) / nx
    ys = y0 + (np.arange(ny) + 0.5) * (y1 - y0) / ny
    gx, gy = np.meshgrid(xs, ys)
    points = np.column_stack([gx.ravel(), gy.ravel()])

    columns = min(2, len(families))
    lines = math.ceil(len(families) / columns)
    fig, axes = plt.subplots(lines, columns, figsize=(6.2 * columns + 1.2, 5.4 * lines + 0.8), squeeze=False,
                             layout="constrained")
    table = []
    image = None
    for ax, (family, family_rows) in zip(axes.flat, families.items()):
        grids = [agreement_grid(d, points, (ny, nx)) for d in pair_documents(out, family_rows)]
        if not grids:
            ax.set_title(f"{family}: no pair with a reference alignment", fontsize=10)
            ax.axis("off")
            continue
        with np.errstate(invalid="ignore"):
            mean = np.nanmean(np.stack(grids), axis=0)
        best, near, (bx0, bx1, by0, by1) = best_region(mean, xs, ys)
        image = ax.imshow(mean, origin="lower", extent=(x0, x1, y0, y1), vmin=0.0, vmax=1.0, cmap="cividis",
                          aspect="auto", interpolation="nearest")
        ax.contour(xs, ys, near.astype(float), levels=[0.5], colors="white", linewidths=1.2)
        peak = np.unravel_index(np.nanargmax(mean), mean.shape)
        ax.set_xlabel("mismatch score")
        ax.set_ylabel("gap score")
        ax.set_title(f"{family}: {len(grids)} pairs; best mean {best:.3f} at mismatch {bx0:.2f} to {bx1:.2f}, "
                     f"gap {by0:.2f} to {by1:.2f}", fontsize=9)
        table.append([family, len(grids), f"{best:.6f}", f"{xs[peak[1]]:.4f}", f"{ys[peak[0]]:.4f}",
                      f"{bx0:.4f},{bx1:.4f}", f"{by0:.4f},{by1:.4f}", f"{near.mean():.6f}",
                      f"{np.nanmean(mean):.6f}"])
    for ax in list(axes.flat)[len(families):]:
        ax.axis("off")
    fig.suptitle("Agreement with the curated alignment: the mean over each family's member pairs of the agreement "
                 "of the alignment optimal at each (mismatch, gap) point (outlined: within 0.01 of the best)",
                 fontsize=10)
    if image is not None:
        fig.colorbar(image, ax=axes.ravel().tolist(), shrink=0.8, label="mean agreement (1: the curated alignment)")
    fig.savefig(output_png, dpi=120, bbox_inches="tight")
    with open(output_tsv, "w", newline="") as f:
        writer = csv.writer(f, delimiter="\t", lineterminator="\n")
        writer.writerow(["family", "pairs", "best_mean_agreement", "best_mismatch", "best_gap", "near_best_mismatch",
                         "near_best_gap", "near_best_share", "mean_agreement"])
        writer.writerows(table)


main(snakemake.input[0], snakemake.output.png, snakemake.output.tsv, snakemake.params.out,
     str(snakemake.params.mismatch), str(snakemake.params.gap), int(snakemake.params.cells))
