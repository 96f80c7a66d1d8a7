#pragma once
// The report texts shown in the result dialogs, printed by the command line
// and saved to files. Lines end with CR LF.
#include <string>

#include "decomposition/decomposition.h"
#include "engine/alignment.h"
#include "engine/rna_structure.h"

namespace zenphal {

// The count block and rows of one alignment, as both reports write them:
// "Match Number:" ... "Pair Indel Number:" (each label after the first led by
// CR LF), an empty line, then the rows in reading order with '|' after every
// character. Counts of aligned pairs are taken out of the column counts.
void AppendAlignmentBlock(const CAlignment& record, std::string& text);

// The optimal alignment at one point: the four scores, then the block.
// x and y are the point as the user gave it (before any clamping).
std::string PointReport(float matchScore, float indelScore, float x, float y, const CAlignment& record);

// Every optimal alignment of a decomposition: both structures (bases and stem
// text), the scores and ranges, the number of polygons, then one numbered
// block per polygon in order of discovery. Depends only on its arguments.
std::string AllAlignmentsReport(const CRnaStructure& first, const CRnaStructure& second, float matchScore,
                                float indelScore, const CDecomposition& decomposition);

// What the all-alignments dialog shows before anything has been computed.
inline constexpr const char* kNothingComputedText = "No optimal alignment yet, please compute a case first.";

}  // namespace zenphal
