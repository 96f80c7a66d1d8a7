"""Bad input raises, with the message zenphal-cli prints for the same input."""
import errno
import pathlib
import warnings

import pytest

import zenphal
from conftest import EXAMPLES, INFERNAL, run_cli


def write(tmp_path, name, text):
    path = tmp_path / name
    path.write_bytes(text.encode())
    return path


def test_structure_files_raise_the_cli_messages(tmp_path):
    no_bases = write(tmp_path, "nobases.txt", "name\r\nNNNN\r\n>\r\n>\r\n>\r\n")
    bad_stems = write(tmp_path, "stems.txt", "name\r\nACGU\r\n>\r\n>\r\n (1)  0  3\r\n>\r\n")
    not_layout = write(tmp_path, "plain.txt", "ACGU\n")
    unbalanced = write(tmp_path, "x.dbn", ">x\nGGGAAACC\n(((...))\n")
    bad_ct = write(tmp_path, "x.ct", "3 x\n1 G 0 2 3 1\n2 A 1 3 0 2\n3 C 2 0 0 3\n")
    cases = [
        "example:7",
        "example:x",
        str(no_bases),
        str(bad_stems),
        str(not_layout),
        str(unbalanced),
        str(bad_ct),
        f"{EXAMPLES}/trnas.ct#3",
        f"{EXAMPLES}/trnas.ct#",
        f"{EXAMPLES}/yeast-trna.dbn#name",
        f"{INFERNAL}/tRNA.sto#no-such-member",
        f"{INFERNAL}/tRNA.sto#0",
    ]
    for operand in cases:
        expected = run_cli("align", "example:1", operand, "--at", "1,1").message()
        with pytest.raises(ValueError) as raised:
            zenphal.align("example:1", zenphal.Structure.read(operand), mismatch=1, gap=1)
        assert str(raised.value) == expected, operand
        with pytest.raises(ValueError) as raised:
            zenphal.decompose("example:1", operand)
        assert str(raised.value) == expected, operand


def test_files_that_cannot_be_read_raise_the_os_error_of_their_cause(tmp_path):
    missing = tmp_path / "missing.ct"
    for path, kind, number in [(missing, FileNotFoundError, errno.ENOENT), (tmp_path, IsADirectoryError, errno.EISDIR)]:
        expected = run_cli("align", path, "example:1", "--at", "1,1").message()
        with pytest.raises(kind) as raised:
            zenphal.Structure.read(path)
        assert str(raised.value) == expected
        assert raised.value.errno == number
    with pytest.raises(OSError):
        zenphal.decompose(pathlib.Path(missing), "example:1")


def test_bad_scores_and_ranges_name_the_argument_as_the_cli_names_the_option():
    # (Python keyword arguments, command-line options, the option's name there)
    cases = [
        (dict(match="abc"), ["--match", "abc"], "--match", "match"),
        (dict(match=-1), ["--match", "-1"], "--match", "match"),
        (dict(indel=" 1.2.3 "), ["--indel", " 1.2.3 "], "--indel", "indel"),
        (dict(indel="1234567890"), ["--indel", "1234567890"], "--indel", "indel"),
        (dict(mismatch=(0, -2)), ["--mismatch", "0,-2"], "--mismatch", "mismatch[1]"),
        (dict(gap=("x", 2)), ["--gap", "x,2"], "--gap", "gap[0]"),
        # Ten digits before the point: no score on the command line either.
        (dict(match=1000000000), ["--match", "1000000000"], "--match", "match"),
    ]
    for kwargs, args, option, argument in cases:
        expected = run_cli("decompose", "example:1", "example:2", *args).message()
        with pytest.raises(ValueError) as raised:
            zenphal.decompose("example:1", "example:2", **kwargs)
        assert expected.startswith(option + ": ")
        assert str(raised.value) == argument + expected[len(option):], kwargs
    with pytest.raises(ValueError, match=r"^match: nan is not|^match: 'nan' is not"):
        zenphal.decompose("example:1", "example:2", match=float("nan"))
    for large in [1e9, 1e300, float("inf")]:
        with pytest.raises(ValueError, match=r"^mismatch: '.*' is not a non-negative decimal number .*at most 9 digits"):
            zenphal.align("example:1", "example:2", mismatch=large, gap=1)
    # The largest the command line takes, and decimals it could not spell.
    assert zenphal.align("example:1", "example:2", mismatch=999999999, gap=1).x == 1e9  # its nearest float
    assert zenphal.align("example:1", "example:2", mismatch=1e-12, gap=1).x == pytest.approx(1e-12)


def test_bad_rectangles_raise_the_cli_message_before_any_file_is_read():
    for kwargs, args in [(dict(mismatch=(2, 2)), ["--mismatch", "2,2"]), (dict(gap=(3, 1)), ["--gap", "3,1"]),
                         (dict(gap=(0, 0.001)), ["--gap", "0,0.001"])]:
        expected = run_cli("decompose", "example:1", "example:2", *args).message()
        with pytest.raises(ValueError) as raised:
            zenphal.decompose("/no/such/file", "example:2", **kwargs)
        assert str(raised.value) == expected


def test_wrong_types_raise_type_error():
    with pytest.raises(TypeError, match="mismatch must be a pair of scores"):
        zenphal.decompose("example:1", "example:2", mismatch="0,2")
    with pytest.raises(TypeError, match="mismatch must be a pair of scores"):
        zenphal.decompose("example:1", "example:2", mismatch=(0, 1, 2))
    with pytest.raises(TypeError, match="match must be a number or a decimal text, not bool"):
        zenphal.decompose("example:1", "example:2", match=True)
    with pytest.raises(TypeError, match="s1 must be a Structure"):
        zenphal.decompose(5, "example:2")
    with pytest.raises(TypeError, match="progress must be a callable"):
        zenphal.decompose("example:1", "example:2", progress=3)
    with pytest.raises(TypeError):
        zenphal.align("example:1", "example:2", mismatch=1)  # gap is required


def test_structures_made_in_python_are_checked_by_the_engine():
    with pytest.raises(ValueError, match="^structure, column 3: '\\)' closes no '\\('$"):
        zenphal.Structure.from_dot_bracket("GGGA", "()).")
    with pytest.raises(ValueError, match="^structure: the structure has 3 characters but the sequence has 4$"):
        zenphal.Structure.from_dot_bracket("GGGA", "(.)")
    with pytest.raises(ValueError, match="^structure, column 1: '\\(' is never closed$"):
        zenphal.Structure.from_dot_bracket("GGGA", "(...")
    with pytest.raises(ValueError, match="^structure: holds a line break"):
        zenphal.Structure.from_dot_bracket("GGGA", "....\n....")
    with pytest.raises(ValueError, match="^sequence: is empty"):
        zenphal.Structure.from_dot_bracket("", "")
    with pytest.raises(ValueError, match="not a multiple of 3"):
        zenphal.Structure("ACGU", "0 3")
    with pytest.raises(ValueError, match="^mine: .*"):
        zenphal.Structure("ACGU", [(0, 9, 1)], name="mine")
    with pytest.raises(ValueError, match=r"stems: \(0, -3, 1\) is not a stem"):
        zenphal.Structure("ACGU", [(0, -3, 1)])
    with pytest.raises(ValueError, match="the structure has no bases"):
        zenphal.Structure("")
    with pytest.raises(ValueError, match=r"pairs: \(1, 3\) pairs position 3, which is already paired with 0"):
        zenphal.Structure.from_pairs("ACGU", [(0, 3), (1, 3)])
    with pytest.raises(ValueError, match=r"pairs: \(0, 4\) is not a pair of two positions"):
        zenphal.Structure.from_pairs("ACGU", [(0, 4)])
    with pytest.raises(ValueError, match="not a single byte"):
        zenphal.Structure("AC\u03c8U")
    with pytest.raises(ValueError, match="^format: 'fasta' is not one of auto, layout"):
        zenphal.Structure.read(EXAMPLES / "yeast-trna.dbn", format="fasta")


def test_a_forced_format_is_named_as_the_cli_names_it():
    operand = str(EXAMPLES / "yeast-trna.dbn")
    expected = run_cli("align", operand, "example:1", "--at", "1,1", "--format", "ct").message()
    with pytest.raises(ValueError) as raised:
        zenphal.Structure.read(operand, format="ct")
    assert str(raised.value) == expected


def test_points_outside_the_rectangle_are_refused():
    d = zenphal.decompose("example:5", "example:6", gap=(0.5, 2))
    for x, y in [(2.5, 1), (1, 2.001), (1, 0.25)]:
        message = f"^the point \\({x}, {y}\\) lies outside the rectangle: mismatch 0 to 2, gap 0.5 to 2$"
        with pytest.raises(ValueError, match=message):
            d.region_at(x, y)
        with pytest.raises(ValueError, match=message):
            d.regions_at(x, y)
    with pytest.raises(ValueError, match="^y: '-0.5' is not a non-negative decimal number"):
        d.region_at(1, -0.5)


# Scores of very different sizes defeat the search's single precision: one
# input lists no polygon at once, one runs into the search's loop bounds
# (seconds) and lists none either. Both are incomplete and warned of, as
# zenphal-cli warns, and region_at names no polygon rather than failing
# inside.
def test_an_incomplete_decomposition_is_warned_of():
    a, c = zenphal.Structure("A"), zenphal.Structure("CA")
    with pytest.warns(zenphal.IncompleteWarning, match="^the search found no polygon; the decomposition is incomplete "):
        empty = zenphal.decompose(a, c, match=3000000, mismatch=(0, 0.01), gap=(0, 0.01))
    assert not empty.polygons and empty.incomplete, "this input lists polygons now: find another empty one"
    with pytest.raises(LookupError, match="^no polygon to name: the decomposition lists none"):
        empty.region_at(0.005, 0.005)
    assert empty.regions_at(0.005, 0.005) == []
    with pytest.warns(zenphal.IncompleteWarning, match="^the search found no polygon; the decomposition is incomplete "):
        bounded = zenphal.decompose(a, c, match=9999999, gap=(0, 0.5))
    assert bounded.incomplete
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        zenphal.decompose("example:5", "example:6")  # a sound run warns of nothing
