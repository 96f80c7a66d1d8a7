#include "computation/outputs.h"

#include "computation/run_agreement.h"
#include "output/json.h"
#include "output/reports.h"

namespace zenphal {

std::string PointReportText(const Computation& c, const PointResult& point) {
  return PointReport(c.Input().match, c.Input().indel, point.x, point.y, point.record);
}

std::string PointJsonText(const PointResult& point) { return JsonText(PointJson(point.score, point.record), 2); }

std::string AllAlignmentsText(const Computation& c) {
  return AllAlignmentsReport(c.First(), c.Second(), c.Input().match, c.Input().indel, c.Decomposition());
}

std::string DecompositionJsonText(const Computation& c) {
  const std::optional<DecompositionAgreement> agreement = c.HasRun() ? AgreementOfRun(c) : std::nullopt;
  return DecompositionJsonText(c, agreement ? &*agreement : nullptr);
}

std::string DecompositionJsonText(const Computation& c, const DecompositionAgreement* agreement) {
  return JsonText(DecompositionJson(c.Decomposition(), c.Input().match, c.Input().indel, agreement), 1);
}

}  // namespace zenphal
