#pragma once
// What a computation gives its users: the report texts (lines end with CR LF,
// byte for byte what the dialogs show and save) and the JSON texts of
// zenphal-cli.
#include <string>

#include "agreement/agreement.h"
#include "computation/computation.h"

namespace zenphal {

// The point report of the Result dialog.
std::string PointReportText(const Computation& computation, const PointResult& point);
// {"score", "counts", "top", "bottom"}, indented by 2.
std::string PointJsonText(const PointResult& point);
// The report of every optimal alignment of the last run.
std::string AllAlignmentsText(const Computation& computation);
// The last run's decomposition as JSON, indented by 1; with every polygon's
// agreement when the input has a reference alignment.
std::string DecompositionJsonText(const Computation& computation);
// The same with the run's agreement already measured (AgreementOfRun; null
// when the input has no reference).
std::string DecompositionJsonText(const Computation& computation, const DecompositionAgreement* agreement);

}  // namespace zenphal
