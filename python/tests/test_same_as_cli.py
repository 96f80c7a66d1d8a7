"""The module computes what zenphal-cli computes: the same JSON, reports and
pictures, byte for byte, for the same input."""
import json
import math

import pytest

import zenphal
from conftest import EXAMPLES, INFERNAL, run_cli

PAIRS = [(i, j) for i in range(1, 7) for j in range(1, 7)]


@pytest.mark.parametrize("i,j", PAIRS, ids=[f"{i}-{j}" for i, j in PAIRS])
def test_every_example_pair_gives_the_cli_json_and_report(i, j, tmp_path):
    out = tmp_path / "d.json"
    cli = run_cli("decompose", "-q", f"example:{i}", f"example:{j}", "--json", out)
    assert cli.status == 0, cli.err
    d = zenphal.decompose(f"example:{i}", f"example:{j}")
    assert d.to_json() == out.read_text()
    assert d.report().encode("latin-1") == cli.out


# Scores and ranges as numbers and as texts, files of every kind and family
# members: each as zenphal-cli takes it.
CASES = {
    "wide": (["example:3", "example:4", "--mismatch", "0,10", "--gap", "0,5"],
             dict(s1="example:3", s2="example:4", mismatch=(0, 10), gap=(0, 5))),
    "inner": (["example:5", "example:6", "--mismatch", "0.5,1.5", "--gap", "1,3"],
              dict(s1="example:5", s2="example:6", mismatch=(0.5, 1.5), gap=("1", "3"))),
    "scores": (["example:1", "example:2", "--match", "2", "--indel", "1"],
               dict(s1="example:1", s2="example:2", match=2, indel=1.0)),
    "tenths": (["example:5", "example:6", "--match", "1.3", "--indel", "0.7", "--mismatch", "0.1,1.7"],
               dict(s1="example:5", s2="example:6", match=1.3, indel="0.7", mismatch=(0.1, 1.7))),
    "files": ([EXAMPLES / "yeast-trna.dbn", f"{EXAMPLES}/trnas.ct#2"],
              dict(s1=EXAMPLES / "yeast-trna.dbn", s2=zenphal.Structure.read(f"{EXAMPLES}/trnas.ct#2"))),
    "family": ([f"{INFERNAL}/tRNA.sto#X06054.1/711-637", f"{INFERNAL}/tRNA.sto#M26977.1/379-453"],
               dict(s1=zenphal.Structure.read(f"{INFERNAL}/tRNA.sto#X06054.1/711-637"),
                    s2=f"{INFERNAL}/tRNA.sto#M26977.1/379-453")),
}


@pytest.mark.parametrize("case", CASES)
def test_scores_files_and_families_as_the_cli_takes_them(case, tmp_path):
    args, kwargs = CASES[case]
    cli = run_cli("decompose", "-q", *args, "--json", tmp_path / "d.json")
    assert cli.status == 0, cli.err
    d = zenphal.decompose(kwargs.pop("s1"), kwargs.pop("s2"), **kwargs)
    assert d.to_json() == (tmp_path / "d.json").read_text()
    assert d.report().encode("latin-1") == cli.out


POINTS = ["0,0", "1,1", "1,4", "2,2", "0.3,1.7", "7,0.25"]


@pytest.mark.parametrize("at", POINTS)
def test_align_gives_the_cli_alignment_at_each_point(at):
    x, y = at.split(",")
    json_cli = run_cli("align", "example:3", "example:4", "--at", at, "--json")
    report_cli = run_cli("align", "example:5", "example:6", "--match", "2", "--indel", "1", "--at", at)
    assert json_cli.status == 0 and report_cli.status == 0
    a = zenphal.align("example:3", "example:4", mismatch=float(x), gap=float(y))
    assert a.to_json().encode() == json_cli.out
    expected = json_cli.json()
    assert (a.score, a.counts, a.top, a.bottom) == (expected["score"], expected["counts"], expected["top"],
                                                   expected["bottom"])
    b = zenphal.align("example:5", "example:6", match=2, indel=1, mismatch=x, gap=y)
    assert b.report().encode("latin-1") == report_cli.out
    # The decomposition's aligner gives the same.
    d = zenphal.decompose("example:3", "example:4", mismatch=(0, 10), gap=(0, 10))
    assert d.align_at(float(x), y).to_json() == a.to_json()


def test_polygons_hold_what_the_json_holds():
    d = zenphal.decompose("example:5", "example:6")
    document = json.loads(d.to_json())
    assert (d.match, d.indel, d.mismatch, d.gap) == (1.0, 0.5, (0.0, 2.0), (0.0, 2.0))
    assert d.aligner_calls == document["aligner_calls"] and d.incomplete is document["incomplete"]
    assert len(d.polygons) == len(document["polygons"]) == 26
    for number, (p, q) in enumerate(zip(d.polygons, document["polygons"]), start=1):
        assert p.number == number
        assert p.counts == q["counts"]
        assert (p.top, p.bottom) == p.rows == (q["top"], q["bottom"])
        assert list(p.witness) == q["witness"]
        assert list(p.side_flags) == q["side_flags"]
        assert [list(e) for e in p.edges] == q["edges"]
        assert p.score_at(*p.witness) == pytest.approx(d.align_at(*p.witness).score)


def test_vertices_are_the_counter_clockwise_outline_and_tile_the_rectangle():
    d = zenphal.decompose("example:3", "example:4", mismatch=(0, 10), gap=(0, 5))
    total = 0.0
    for p in d.polygons:
        v = p.vertices
        assert len(v) >= 3
        ends = {(e[0], e[1]) for e in p.edges} | {(e[2], e[3]) for e in p.edges}
        assert set(v) <= ends
        twice = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(v, v[1:] + v[:1]))
        assert twice > 0, "counter-clockwise"
        assert twice / 2 == pytest.approx(p.area, rel=1e-5)
        assert p.share == pytest.approx(p.area / 50)
        total += p.area
    assert total == pytest.approx(50, rel=1e-4)


# Each picture option as the command line's option of the same name; the
# non-square rectangle gets the hatched part with axis values.
PICTURE_OPTIONS = {"labels": "--label", "colour_regions": "--colour-regions", "axis_values": "--axis-values"}


@pytest.mark.parametrize("chosen", [(), ("labels",), ("colour_regions", "axis_values"),
                                    ("labels", "colour_regions", "axis_values")])
def test_pictures_are_the_cli_pictures(chosen, tmp_path):
    svg, png = tmp_path / "d.svg", tmp_path / "d.png"
    args = [PICTURE_OPTIONS[name] for name in chosen]
    cli = run_cli("decompose", "-q", "example:3", "example:4", "--mismatch", "0,10", "--gap", "0,5", "--svg", svg,
                  "--png", png, *args)
    assert cli.status == 0, cli.err
    d = zenphal.decompose("example:3", "example:4", mismatch=(0, 10), gap=(0, 5))
    options = {name: True for name in chosen}
    assert d.to_svg(**options) == svg.read_text()
    assert d.to_png(**options) == png.read_bytes()
    if chosen == ("labels",):
        assert d._repr_svg_() == svg.read_text()
    if chosen:
        assert d.to_svg(**options) != d.to_svg()


# The region at a point is the one the robustness figure of batch names (the
# command line's point query); its alignment scores as the aligner's there.
# (At a point where several alignments tie, the aligner may take one that is
# optimal at that point alone and so is listed nowhere.)
def test_region_at_agrees_with_batch_and_with_the_aligner(tmp_path):
    points = ["1,1", "0.5,1.5", "1.8,0.2", "0.25,0.25", "2,2", "0,0", "1.37,0.61"]
    d = zenphal.decompose("example:5", "example:6")
    pairs = tmp_path / "pairs.tsv"
    pairs.write_text("example:5\texample:6\tp\n")
    for i, at in enumerate(points):
        out = tmp_path / f"out{i}"
        cli = run_cli("batch", pairs, "--out", out, "--at", at, "--quiet")
        assert cli.status == 0, cli.err
        header, row = (out / "summary.tsv").read_text().splitlines()
        summary = dict(zip(header.split("\t"), row.split("\t")))
        x, y = (float(v) for v in at.split(","))
        region = d.region_at(x, y)
        assert region.number == int(summary["point_polygon"]), at
        assert region.share == pytest.approx(float(summary["robustness"]), abs=1e-4)
        everywhere = d.regions_at(x, y)
        assert len(everywhere) == int(summary["optimal_at_point"])
        assert region.number in [p.number for p in everywhere]
        aligned = d.align_at(x, y)
        for p in everywhere:
            assert p.score_at(x, y) == pytest.approx(aligned.score, rel=1e-9)
        listed = [p.number for p in d.polygons if p.counts == aligned.counts]
        assert set(listed) <= {p.number for p in everywhere}


def test_region_at_inside_each_polygon_is_that_polygon():
    d = zenphal.decompose("example:1", "example:2", match=2, indel=1)
    for p in d.polygons:
        if p.area < 1e-3:
            continue  # too thin for a single-precision point strictly inside
        x = sum(v[0] for v in p.vertices) / len(p.vertices)
        y = sum(v[1] for v in p.vertices) / len(p.vertices)
        assert [q.number for q in d.regions_at(x, y)] == [p.number]
        assert d.region_at(x, y).number == p.number
        assert d.align_at(x, y).counts == p.counts
        assert math.isclose(p.score_at(x, y), d.align_at(x, y).score, rel_tol=1e-9)
