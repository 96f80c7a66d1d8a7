#include "computation/run_agreement.h"

#include "computation/robustness.h"

namespace zenphal {

std::optional<DecompositionAgreement> AgreementOfRun(const Computation& c) {
  const std::optional<PairwiseReference>& reference = c.Input().reference;
  if (!reference) return std::nullopt;
  if (!c.HasRun()) throw InputError("the agreement needs a decomposition; nothing has been computed");
  const ReferenceColumns columns(*reference, c.First(), c.Second());
  DecompositionAgreement a;
  a.reference = *reference;
  a.referenceColumns = columns.Columns();
  a.referencePairs = columns.Pairs();
  const CDecomposition& d = c.Decomposition();
  std::vector<double> areas;
  for (int i = 0; i < d.PolygonCount(); ++i) {
    a.regions.push_back(MeasureAgreement(columns, c.First(), c.Second(), d.Polygon(i).rows));
    areas.push_back(PolygonArea(d.Polygon(i)));
  }
  a.summary = SummarizeAgreement(a.regions, areas, RectangleArea(d));
  return a;
}

}  // namespace zenphal
