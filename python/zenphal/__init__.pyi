"""Zenphal: parametric alignment of two RNA secondary structures."""
import os
from typing import Callable, Iterable, Optional, Sequence, Union

__version__: str

_Score = Union[float, int, str]
"""A non-negative number, or a decimal text read as zenphal-cli reads its options."""
_Range = Sequence[_Score]
"""A pair of scores (from, to)."""
_Operand = Union[str, bytes, os.PathLike[str]]
"""A file, FILE#K, FILE#NAME or example:N, as zenphal-cli names RNA1 and RNA2."""
_Counts = dict[str, int]
"""match, mismatch, indel, gap, pair_match, pair_mismatch, pair_indel."""
_Stockholm = Union[str, bytes, os.PathLike[str]]
"""FILE.sto or FILE.sto#FAMILY, as zenphal-cli decompose --reference names it."""

class Cancelled(Exception):
    """The cancel callable given to decompose() returned true."""

class StructureNote(UserWarning):
    """A note on a structure as read (zenphal-cli prints it on stderr)."""

class IncompleteWarning(UserWarning):
    """decompose() hit one of the search's loop bounds: polygons may be missing."""

class Structure:
    """One RNA secondary structure: its bases and its base pairs. Immutable."""

    def __init__(
        self,
        sequence: str,
        stems: Union[str, Iterable[tuple[int, int, int]]] = "",
        *,
        name: str = "",
    ) -> None:
        """From the bases and the stems (left end, right end, number of pairs), positions from 0."""
    @staticmethod
    def read(path: _Operand, format: str = "auto") -> Structure:
        """The structure a file holds; format: auto, layout, dot-bracket, ct, bpseq, stockholm."""
    @staticmethod
    def from_dot_bracket(sequence: str, structure: str, *, name: str = "") -> Structure:
        """From a sequence and its dot-bracket string, as ViennaRNA writes them."""
    @staticmethod
    def from_pairs(sequence: str, pairs: Iterable[tuple[int, int]], *, name: str = "") -> Structure:
        """From the bases and base pairs (i, j), positions from 0."""
    @property
    def sequence(self) -> str:
        """The bases, one character each."""
    @property
    def pairs(self) -> list[tuple[int, int]]:
        """The base pairs (i, j), i < j, by i; positions from 0."""
    @property
    def stems(self) -> list[tuple[int, int, int]]:
        """The pairs as stems (left end, right end, number of pairs), one per run of stacked pairs."""
    @property
    def stem_text(self) -> str:
        """The stem text the engine was given."""
    @property
    def name(self) -> str:
        """The Stockholm sequence's name, the example's, or the name given; may be empty."""
    @property
    def label(self) -> str:
        """How messages name it: the file operand, or the name given; may be empty."""
    @property
    def notes(self) -> list[str]:
        """The notes warned (StructureNote) when it was read."""
    def to_dot_bracket(self) -> str:
        """The pairs as a dot-bracket string; [] {} <> for crossing pairs."""
    def __len__(self) -> int: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...

class Alignment:
    """The optimal alignment at one point (mismatch score x, gap score y)."""

    @property
    def score(self) -> float: ...
    @property
    def counts(self) -> _Counts: ...
    @property
    def top(self) -> str:
        """The first structure's row, '_' for a gap."""
    @property
    def bottom(self) -> str:
        """The second structure's row, '_' for a gap."""
    @property
    def x(self) -> float: ...
    @property
    def y(self) -> float: ...
    def report(self) -> str:
        """The Result dialog's report, as zenphal-cli align prints it (CR LF)."""
    def to_json(self) -> str:
        """The JSON zenphal-cli align --json prints."""

class Reference:
    """The curated alignment of the two structures that the optimal alignments are compared with."""

    @property
    def file(self) -> str:
        """The Stockholm file as it was named."""
    @property
    def family(self) -> str:
        """The alignment's #=GF ID, else its AC, else "the alignment at line N"."""
    @property
    def member1(self) -> str:
        """The sequence aligned as the first structure."""
    @property
    def member2(self) -> str:
        """The sequence aligned as the second structure."""
    @property
    def top(self) -> str:
        """The first member's row, '_' for a gap."""
    @property
    def bottom(self) -> str:
        """The second member's row, '_' for a gap."""
    @property
    def columns(self) -> int:
        """Its columns holding a base of each structure: |R|."""
    @property
    def pairs(self) -> int:
        """Its pair alignments: base pairs aligned with base pairs."""

class Agreement:
    """How far a polygon's alignment agrees with the reference; a share is None where its denominator is 0."""

    @property
    def value(self) -> Optional[float]:
        """2 |A & R| / (|R| + |A|), from 0 to 1."""
    @property
    def sensitivity(self) -> Optional[float]:
        """|A & R| / |R|."""
    @property
    def precision(self) -> Optional[float]:
        """|A & R| / |A|."""
    @property
    def pairs(self) -> Optional[float]:
        """The share of the reference's pair alignments the alignment makes too."""
    @property
    def shared_columns(self) -> int:
        """|A & R|."""
    @property
    def aligned_columns(self) -> int:
        """|A|."""
    @property
    def shared_pairs(self) -> int: ...

class Polygon:
    """One polygon of a decomposition: where one alignment is optimal."""

    @property
    def number(self) -> int:
        """From 1, as the report and the labelled picture number it."""
    @property
    def counts(self) -> _Counts: ...
    @property
    def top(self) -> str: ...
    @property
    def bottom(self) -> str: ...
    @property
    def rows(self) -> tuple[str, str]: ...
    @property
    def witness(self) -> tuple[float, float]: ...
    @property
    def side_flags(self) -> tuple[int, int, int, int]: ...
    @property
    def edges(self) -> list[tuple[float, float, float, float]]: ...
    @property
    def vertices(self) -> list[tuple[float, float]]:
        """The corners, counter-clockwise."""
    @property
    def area(self) -> float: ...
    @property
    def share(self) -> float:
        """Its area over the rectangle's, from 0 to 1."""
    @property
    def agreement(self) -> Optional[Agreement]:
        """Its alignment's agreement with the reference; None without a reference."""
    def score_at(self, x: _Score, y: _Score) -> float: ...

class AgreementSummary:
    """Where the optimal alignments agree best with the reference."""

    @property
    def best(self) -> Optional[float]:
        """The highest agreement of a polygon; None when none is defined."""
    @property
    def best_polygon(self) -> Optional[Polygon]:
        """The polygon that has it (among equals the largest, then the first)."""
    @property
    def near_best_share(self) -> Optional[float]:
        """The share of the rectangle where the optimal alignment reaches 90% of the best."""

class Decomposition:
    """The score rectangle divided into polygons, one per optimal alignment."""

    @property
    def first(self) -> Structure: ...
    @property
    def second(self) -> Structure: ...
    @property
    def match(self) -> float: ...
    @property
    def indel(self) -> float: ...
    @property
    def mismatch(self) -> tuple[float, float]: ...
    @property
    def gap(self) -> tuple[float, float]: ...
    @property
    def polygons(self) -> list[Polygon]: ...
    @property
    def reference(self) -> Optional[Reference]:
        """The alignment the polygons are compared with; None without one."""
    @property
    def agreement(self) -> Optional[AgreementSummary]:
        """Where they agree best with it; None without a reference."""
    @property
    def aligner_calls(self) -> int: ...
    @property
    def incomplete(self) -> bool: ...
    def region_at(self, x: _Score, y: _Score) -> Polygon:
        """The polygon optimal at (x, y); on a border, the one with the fewest mismatches, then gaps.

        ValueError outside the rectangle; LookupError when the decomposition lists no polygon.
        """
    def regions_at(self, x: _Score, y: _Score) -> list[Polygon]:
        """Every polygon optimal at (x, y)."""
    def align_at(self, x: _Score, y: _Score) -> Alignment:
        """The optimal alignment at (x, y)."""
    def report(self) -> str:
        """The report of every optimal alignment, as zenphal-cli decompose prints it (CR LF)."""
    def to_json(self) -> str:
        """The JSON zenphal-cli decompose --json writes."""
    def to_svg(
        self,
        *,
        labels: bool = False,
        colour_regions: bool = False,
        axis_values: bool = False,
        colour_by_agreement: bool = False,
    ) -> str:
        """The picture of zenphal-cli decompose --svg [--label] [--colour-regions] [--axis-values]
        [--colour-by-agreement].

        ValueError for colour_by_agreement without a reference.
        """
    def to_png(
        self,
        *,
        labels: bool = False,
        colour_regions: bool = False,
        axis_values: bool = False,
        colour_by_agreement: bool = False,
    ) -> bytes:
        """The picture of zenphal-cli decompose --png [--label] [--colour-regions] [--axis-values]
        [--colour-by-agreement]."""
    def _repr_svg_(self) -> str: ...

def align(
    s1: Structure | _Operand,
    s2: Structure | _Operand,
    *,
    match: _Score = 1.0,
    indel: _Score = 0.5,
    mismatch: _Score,
    gap: _Score,
) -> Alignment:
    """The optimal alignment at the point (mismatch, gap)."""

def decompose(
    s1: Structure | _Operand,
    s2: Structure | _Operand,
    *,
    match: _Score = 1.0,
    indel: _Score = 0.5,
    mismatch: _Range = (0, 2),
    gap: _Range = (0, 2),
    reference: _Stockholm | None = None,
    progress: Callable[[int, int], object] | None = None,
    cancel: Callable[[], object] | None = None,
) -> Decomposition:
    """Divides the (mismatch, gap) rectangle into polygons of optimality."""

def examples() -> list[Structure]:
    """The six built-in example structures, example:1 to example:6."""
