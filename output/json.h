#pragma once
// The JSON forms of alignments and decompositions, as zenphal-cli writes them
// and scripts read them. Floats are written as the shortest decimals that
// read back to the same single-precision values.
#include <nlohmann/json.hpp>
#include <string>

#include "agreement/agreement.h"
#include "decomposition/decomposition.h"
#include "engine/alignment.h"

namespace zenphal {

// {"match", "mismatch", "indel", "gap", "pair_match", "pair_mismatch", "pair_indel"}
nlohmann::ordered_json CountsJson(const CAlignment& record);

// One alignment at a point: {"score", "counts", "top", "bottom"}, the rows in
// reading order.
nlohmann::ordered_json PointJson(double score, const CAlignment& record);

// A whole decomposition: the scores and ranges, the search's probe count,
// whether a loop bound was hit, and every polygon with its counts, rows,
// witness, side flags and edges. With an agreement (one region per
// polygon), each polygon also gets its "agreement" (AgreementJson), and the
// document ends with the "reference" (ReferenceJson) and the "agreement"
// summary (AgreementSummaryJson); without one, nothing of them appears.
nlohmann::ordered_json DecompositionJson(const CDecomposition& decomposition, float match, float indel,
                                         const DecompositionAgreement* agreement = nullptr);

// A number, or null for nullopt (a figure that is not defined).
nlohmann::ordered_json Optional(const std::optional<double>& value);
// {"value", "sensitivity", "precision", "pairs", "shared_columns",
// "aligned_columns", "shared_pairs"}: the shares (null where not defined)
// and the counts behind them.
nlohmann::ordered_json AgreementJson(const RegionAgreement& region);
// {"file", "family", "member1", "member2", "top", "bottom"}: the reference
// as the stored document keeps it.
nlohmann::ordered_json PairwiseReferenceJson(const PairwiseReference& reference);
// The same with "columns" and "pairs": where the reference comes from, its
// rows, and its aligned columns and pair alignments.
nlohmann::ordered_json ReferenceJson(const DecompositionAgreement& agreement);
// {"best", "best_polygon", "near_best_share"}: polygons numbered from 1 as
// in the report (null when none).
nlohmann::ordered_json AgreementSummaryJson(const AgreementSummary& summary);

// The text of a JSON value with a final line end; invalid UTF-8 in texts
// (bases are bytes) is replaced rather than refused.
std::string JsonText(const nlohmann::ordered_json& value, int indent);

}  // namespace zenphal
