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
try:
    from ._zenphal import (
        Agreement,
        AgreementSummary,
        Alignment,
        Cancelled,
        Decomposition,
        IncompleteWarning,
        Polygon,
        Reference,
        Structure,
        StructureNote,
        __version__,
        align,
        decompose,
        examples,
    )
except ModuleNotFoundError as error:
    # The native part is built for one Python; another one finds no module
    # it can load, and would say only "No module named 'zenphal._zenphal'".
    if error.name != __name__ + "._zenphal":
        raise
    import glob as _glob
    import os as _os
    import sys as _sys

    _built = sorted(_os.path.basename(p) for p in _glob.glob(_os.path.join(_os.path.dirname(__file__), "_zenphal*")))
    raise ImportError(
        f"zenphal's native part ({', '.join(_built) or 'missing'}) does not load in this Python "
        f"{_sys.version_info[0]}.{_sys.version_info[1]} ({_sys.executable}): run the Python it was built for "
        "(Debian's /usr/bin/python3 unless CMake was given another with -DPython3_EXECUTABLE=...)",
        name=__name__,
    ) from error

__all__ = [
    "Agreement",
    "AgreementSummary",
    "Alignment",
    "Cancelled",
    "Decomposition",
    "IncompleteWarning",
    "Polygon",
    "Reference",
    "Structure",
    "StructureNote",
    "align",
    "decompose",
    "examples",
]
