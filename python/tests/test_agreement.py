"""A decomposition's agreement with the curated alignment of its two
structures: the figures zenphal-cli decompose --json writes, as Python
objects, and a reference named as --reference names it."""
import json

import pytest

import zenphal
from conftest import EXAMPLES, INFERNAL, run_cli

TOY = EXAMPLES / "agreement-toy.sto"
TRNA = INFERNAL / "trna-2.sto"


def test_the_readme_worked_example_by_hand():
    d = zenphal.decompose(f"{TOY}#one", f"{TOY}#two")
    r = d.reference
    assert (r.file, r.family, r.member1, r.member2) == (str(TOY), "toy-hairpins", "one", "two")
    assert (r.top, r.bottom) == ("GCAUAGC", "GC_UUGC")
    # R = {G1-G1, C2-C2, U4-U3, A5-U4, G6-G5, C7-C6}; 1-7 with 1-6 and 2-6 with 2-5.
    assert (r.columns, r.pairs) == (6, 2)
    assert len(d.polygons) == 2
    one, two = d.polygons
    # The triangle (1, 0), (2, 0), (2, 0.5): A = {G1-G1, C2-C2, U4-U4, G6-G5, C7-C6}.
    assert (one.top, one.bottom) == ("GC_AUAGC", "GCU_U_GC")
    a = one.agreement
    assert (a.shared_columns, a.aligned_columns, a.shared_pairs) == (4, 5, 2)
    assert (a.sensitivity, a.precision, a.value, a.pairs) == (4 / 6, 4 / 5, 8 / 11, 1.0)
    # The reference alignment itself.
    assert (two.top, two.bottom) == (r.top, r.bottom)
    b = two.agreement
    assert (b.shared_columns, b.aligned_columns, b.shared_pairs) == (6, 6, 2)
    assert (b.sensitivity, b.precision, b.value, b.pairs) == (1.0, 1.0, 1.0, 1.0)
    # 8/11 is below 90% of 1: only polygon 2 counts, 4 - 0.25 of the 4.
    s = d.agreement
    assert (s.best, s.best_polygon, s.near_best_share) == (1.0, two, 15 / 16)
    assert repr(s) == "<zenphal.AgreementSummary: best 1 (polygon 2), 90% of it reached on 93.8% of the rectangle>"
    assert repr(a) == "<zenphal.Agreement 0.7273: sensitivity 0.6667, precision 0.8, pairs 1>"
    assert repr(r) == f"<zenphal.Reference: one and two in toy-hairpins ({TOY}), 6 columns, 2 pairs>"
    assert repr(one).endswith(", agreement 0.7273>")


def same_as_the_json(d, document):
    """Every agreement figure of d is the one the JSON text holds."""
    r = d.reference
    assert {k: getattr(r, k) for k in document["reference"]} == document["reference"]
    for p, q in zip(d.polygons, document["polygons"], strict=True):
        assert {k: getattr(p.agreement, k) for k in q["agreement"]} == q["agreement"], p.number
    summary = document["agreement"]
    assert (d.agreement.best, d.agreement.best_polygon.number, d.agreement.near_best_share) == (
        summary["best"], summary["best_polygon"], summary["near_best_share"])


def test_two_trna_members_give_the_cli_json_and_pictures(tmp_path):
    out, svg, png = tmp_path / "d.json", tmp_path / "d.svg", tmp_path / "d.png"
    cli = run_cli("decompose", "-q", f"{TRNA}#DA6280", f"{TRNA}#DC6280", "--json", out, "--label",
                  "--colour-by-agreement", "--svg", svg, "--png", png)
    assert cli.status == 0, cli.err
    d = zenphal.decompose(f"{TRNA}#DA6280", f"{TRNA}#DC6280")
    assert d.to_json() == out.read_text()
    document = json.loads(out.read_text())
    assert len(document["polygons"]) > 2 and "agreement" in document
    same_as_the_json(d, document)
    assert (d.reference.member1, d.reference.member2, d.reference.family) == ("DA6280", "DC6280", "trna")
    assert d.to_svg(labels=True, colour_by_agreement=True) == svg.read_text()
    assert d.to_png(labels=True, colour_by_agreement=True) == png.read_bytes()
    # The fills are the agreement's own: the plain picture differs.
    assert d.to_svg(labels=True) != svg.read_text()


def unnamed(operand):
    """The structure an operand names, made again in Python: no name, no file."""
    s = zenphal.Structure.read(operand)
    return zenphal.Structure.from_pairs(s.sequence, s.pairs)


def test_a_reference_given_explicitly_is_found_by_the_bases(tmp_path):
    a, b = unnamed(f"{TRNA}#DA6280"), unnamed(f"{TRNA}#DC6280")
    # Without a reference there is nothing to compare with.
    plain = zenphal.decompose(a, b)
    assert plain.reference is None and plain.agreement is None
    assert all(p.agreement is None for p in plain.polygons)
    assert "agreement" not in plain.to_json()
    # Found by their bases in the file: the same figures as for the members.
    d = zenphal.decompose(a, b, reference=str(TRNA))
    members = zenphal.decompose(f"{TRNA}#DA6280", f"{TRNA}#DC6280")
    assert d.to_json() == members.to_json()
    assert (d.reference.member1, d.reference.member2) == ("DA6280", "DC6280")
    # zenphal-cli given the same structures in files and --reference FILE#FAMILY.
    files = []
    for i, s in enumerate((a, b), start=1):
        files.append(tmp_path / f"s{i}.dbn")
        files[-1].write_text(f"{s.sequence}\n{s.to_dot_bracket()}\n")
    out = tmp_path / "d.json"
    cli = run_cli("decompose", "-q", *files, "--reference", f"{TRNA}#trna", "--json", out)
    assert cli.status == 0, cli.err
    d = zenphal.decompose(files[0], files[1], reference=f"{TRNA}#trna")
    assert d.to_json() == out.read_text()
    same_as_the_json(d, json.loads(out.read_text()))


def test_an_explicit_reference_takes_the_place_of_the_shared_one(tmp_path):
    # The toy's two members, with their rows in another file: its alignment
    # is the one compared with (polygon 1's own), so polygon 1 agrees fully.
    other = tmp_path / "other.sto"
    other.write_text("# STOCKHOLM 1.0\n#=GF ID   other\n\none   GC-AUAGC\ntwo   GCU-U-GC\n"
                     "#=GC SS_cons   <<....>>\n//\n")
    d = zenphal.decompose(f"{TOY}#one", f"{TOY}#two", reference=other)
    assert (d.reference.family, d.reference.file) == ("other", str(other))
    assert d.agreement.best_polygon.number == 1
    assert d.polygons[0].agreement.value == 1.0
    assert d.polygons[1].agreement.value == 8 / 11


def test_reference_problems_raise_the_cli_messages(tmp_path):
    missing = tmp_path / "missing.sto"
    expected = run_cli("decompose", "example:1", "example:2", "--reference", missing).message()
    with pytest.raises(FileNotFoundError) as raised:
        zenphal.decompose("example:1", "example:2", reference=missing)
    assert str(raised.value) == expected
    for reference in [str(TOY), f"{TRNA}#no-such-family"]:
        expected = run_cli("decompose", "example:1", "example:2", "--reference", reference).message()
        assert expected.startswith("--reference ")
        with pytest.raises(ValueError) as raised:
            zenphal.decompose("example:1", "example:2", reference=reference)
        assert str(raised.value) == expected[2:], reference
    expected = run_cli("decompose", "example:1", "example:2", "--reference", "").err.splitlines()[0]
    with pytest.raises(ValueError) as raised:
        zenphal.decompose("example:1", "example:2", reference="")
    assert str(raised.value) == expected.replace("zenphal-cli: --reference", "reference")
    with pytest.raises(TypeError, match="^reference must be a Stockholm file"):
        zenphal.decompose("example:1", "example:2", reference=1)


def test_colour_by_agreement_needs_a_reference():
    d = zenphal.decompose("example:5", "example:6")
    expected = run_cli("decompose", "example:5", "example:6", "--colour-by-agreement", "--svg", "/dev/null").message()
    assert expected.startswith("--colour-by-agreement: example:5 and example:6 have no reference alignment")
    for picture in (d.to_svg, d.to_png):
        with pytest.raises(ValueError) as raised:
            picture(colour_by_agreement=True)
        assert str(raised.value) == ("colour_by_agreement: example:5 and example:6 have no reference alignment (they "
                                     "are not members of one Stockholm alignment); name a Stockholm file that holds "
                                     "both with decompose(..., reference='FILE.sto')")
