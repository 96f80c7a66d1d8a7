#pragma once
// The agreement of a computation's optimal alignments with its reference
// alignment (agreement/agreement.h): per polygon, and where in the
// rectangle they agree best.
#include <optional>

#include "agreement/agreement.h"
#include "computation/computation.h"

namespace zenphal {

// After Run: every polygon's agreement, in list order, and the summary
// (areas as PolygonArea measures them); nullopt when the input has no
// reference. Throws InputError when nothing has been computed. Linear in
// the polygons times the structures' lengths.
std::optional<DecompositionAgreement> AgreementOfRun(const Computation& computation);

}  // namespace zenphal
