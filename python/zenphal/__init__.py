"""Zenphal: parametric alignment of two RNA secondary structures.

Two structures (bases and base pairs) are aligned column by column, a base
pair only with a whole base pair. decompose() divides a rectangle of
(mismatch score, gap score) values into polygons, one per optimal alignment;
align() gives the optimal alignment at one point. Both give what zenphal-cli
gives for the same input.

    import zenphal
    d = zenphal.decompose("example:5", "example:6", mismatch=(0, 2), gap=(0, 2))
    region = d.region_at(1.5, 0.5)   # a Polygon: .number, .counts, .top, .bottom, .share
    print(d.report())                # every optimal alignment, as zenphal-cli prints it
    d                                # in a notebook: the picture
"""
from ._zenphal import (
    Alignment,
    Cancelled,
    Decomposition,
    Polygon,
    Structure,
    StructureNote,
    __version__,
    align,
    decompose,
    examples,
)

__all__ = [
    "Alignment",
    "Cancelled",
    "Decomposition",
    "Polygon",
    "Structure",
    "StructureNote",
    "align",
    "decompose",
    "examples",
]
