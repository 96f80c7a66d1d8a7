"""Structures from files of every kind, from dot-bracket strings, from pairs
and from stems: the same bases and pairs whichever way they come in."""
import pathlib
import warnings

import pytest

import zenphal
from conftest import EXAMPLES, INFERNAL

YEAST = zenphal.Structure.read("example:5")
YEAST_DB = "(((((((..((((........)))).(((((.......))))).....(((((.......))))))))))))...."


def test_every_file_format_reads_to_the_example_it_holds():
    for operand in ["yeast-trna.dbn", "yeast-trna.bpseq", "trnas.ct#1", "trnas.sto#yeast_tRNA-Phe/1-76",
                    "trnas.sto#1"]:
        s = zenphal.Structure.read(EXAMPLES / operand if "#" not in operand else f"{EXAMPLES}/{operand}")
        assert s == YEAST, operand
        assert (s.sequence, s.pairs) == (YEAST.sequence, YEAST.pairs)
    leu = zenphal.Structure.read(f"{EXAMPLES}/trnas.ct#2")
    assert leu == zenphal.examples()[5] and leu != YEAST
    assert zenphal.Structure.read(EXAMPLES / "trnas.ct", format="ct") == YEAST


def test_what_a_structure_tells():
    assert YEAST.sequence == "GCGGAUUUAGCUCAGUUGGGAGAGCGCCAGACUGAAAAUCUGGAGGUCCUGUGUUCGAUCCACAGAAUUCGCACCA"
    assert len(YEAST) == 76
    assert YEAST.stems == [(0, 71, 7), (9, 24, 4), (26, 42, 5), (48, 64, 5)]
    assert YEAST.stem_text == "0 71 7 9 24 4 26 42 5 48 64 5"
    assert YEAST.pairs[:3] == [(0, 71), (1, 70), (2, 69)] and len(YEAST.pairs) == 21
    assert YEAST.to_dot_bracket() == YEAST_DB
    assert (YEAST.name, YEAST.label) == ("yeast tRNA", "example:5")
    assert repr(YEAST) == "<zenphal.Structure 'yeast tRNA': 76 bases, 21 pairs>"
    hairpin = zenphal.Structure("GAAAC", [(0, 4, 1)])
    assert repr(hairpin) == "<zenphal.Structure: 5 bases, 1 pair>"
    assert repr(zenphal.decompose(hairpin, "example:1")).startswith("<zenphal.Decomposition 'RNA1' and 'Toy Example 1': ")
    member = zenphal.Structure.read(f"{INFERNAL}/tRNA.sto#X06054.1/711-637")
    assert member.name == "X06054.1/711-637"
    assert member.label == f"{INFERNAL}/tRNA.sto#X06054.1/711-637"


def test_the_four_ways_in_agree():
    from_db = zenphal.Structure.from_dot_bracket(YEAST.sequence, YEAST_DB + " (-21.50)", name="y")
    from_pairs = zenphal.Structure.from_pairs(YEAST.sequence, YEAST.pairs)
    from_stems = zenphal.Structure(YEAST.sequence, YEAST.stems)
    from_text = zenphal.Structure(YEAST.sequence, "0 71 7 9 24 4 26 42 5 48 64 5")
    assert from_db == from_pairs == from_stems == from_text == YEAST
    assert len({from_db, from_pairs, from_stems, YEAST}) == 1
    assert from_db.name == "y"
    # Stems given unmerged are kept as given; the structure is the same.
    split = zenphal.Structure("GGGAAACCC", [(0, 8, 1), (1, 7, 2)])
    assert split.stem_text == "0 8 1 1 7 2" and split.stems == [(0, 8, 3)]
    assert split == zenphal.Structure.from_dot_bracket("GGGAAACCC", "(((...)))")


def test_pseudoknots_round_trip_through_dot_bracket():
    for db in ["((..[[..))..]]", "((..[[..{{..))..]]..}}", "(<)>"]:
        s = zenphal.Structure.from_dot_bracket("A" * len(db), db)
        assert zenphal.Structure.from_dot_bracket(s.sequence, s.to_dot_bracket()) == s
    knot = zenphal.Structure.from_pairs("AAAA", [(0, 2), (1, 3)])
    assert knot.to_dot_bracket() == "([)]"
    five = zenphal.Structure.from_pairs("A" * 10, [(i, i + 5) for i in range(5)])
    with pytest.raises(ValueError, match="cross too much for dot-bracket"):
        five.to_dot_bracket()
    # A real pseudoknotted family member, read and written back.
    member = zenphal.Structure.read(f"{INFERNAL}/RNaseP.sto#1")
    assert any(c in member.to_dot_bracket() for c in "[]")
    assert zenphal.Structure.from_dot_bracket(member.sequence, member.to_dot_bracket()) == member


def test_notes_are_warned_as_structure_notes():
    with pytest.warns(zenphal.StructureNote, match="holds 2 structures; using the first"):
        s = zenphal.Structure.read(EXAMPLES / "trnas.ct")
    assert s == YEAST and len(s.notes) == 1
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        with pytest.raises(zenphal.StructureNote):
            zenphal.decompose(EXAMPLES / "trnas.ct", "example:6")
        assert zenphal.Structure.read(f"{EXAMPLES}/trnas.ct#1").notes == []


def test_paths_and_bytes():
    assert zenphal.Structure.read(pathlib.Path(EXAMPLES) / "yeast-trna.dbn") == YEAST
    assert zenphal.Structure.read(str(EXAMPLES / "yeast-trna.dbn").encode()) == YEAST
    # Bases are bytes, kept as written: lower case, T and N stay.
    s = zenphal.Structure.from_dot_bracket("gcTNa\u00e9", "(....)")
    assert s.sequence == "gcTNa\u00e9" and len(s) == 6 and s.pairs == [(0, 5)]


def test_structures_pickle_by_value_for_multiprocessing():
    import copy
    import pickle

    member = zenphal.Structure.read(f"{INFERNAL}/tRNA.sto#X06054.1/711-637")
    for s in [YEAST, member, zenphal.Structure.from_pairs("GGAACC", [(0, 5), (1, 4)], name="mine")]:
        back = pickle.loads(pickle.dumps(s))
        assert back == s and copy.copy(s) == s
        assert (back.name, back.label, back.stem_text, back.notes) == (s.name, s.label, s.stem_text, s.notes)
