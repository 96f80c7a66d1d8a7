#pragma once
// The stored form of a document (.zenph): the input of its computation as a
// small JSON object. The decomposition itself is not stored; opening a
// document computes it again.
//
//   {"format": "ZENPH document", "version": 1,
//    "rna1": {"bases": "...", "stems": "..."}, "rna2": {...},
//    "match": 1, "indel": 0.5, "mismatch_range": [0, 2], "gap_range": [0, 2]}
//
// Scores are written as the shortest decimals that read back to the same
// single-precision values. A document with a reference alignment also holds
//
//    "reference": {"file": "tRNA.sto", "family": "tRNA", "member1": "...",
//                  "member2": "...", "top": "GC_GA...", "bottom": "GCUGA..."}
//
// (rows in reading order, '_' for a gap). The field is optional and the
// version stays 1: a document without it reads as before, and programs that
// do not know it pass over it.
#include <string>
#include <string_view>

#include "computation/input.h"

namespace zenphal {

std::string DocumentToJson(const ComputationInput& input);

// Throws InputError saying what is wrong when the text is not such a
// document (not JSON, another format, a missing or mistyped field, a
// reference that does not align the two structures).
ComputationInput DocumentFromJson(std::string_view text);

}  // namespace zenphal
