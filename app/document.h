#pragma once
// One document: the state of one computation, shown by one or more views.
// Views follow ComputationChanged; the document does not know them.
#include <QObject>
#include <QString>
#include <memory>

#include "computation/computation.h"

class QWidget;

namespace zenphal {

// What the application says after a computation whose search stopped at one
// of its loop bounds, and after a cancelled one.
inline constexpr const char* kIncompleteText =
    "The search hit one of its loop bounds; the decomposition may be incomplete.";
inline constexpr const char* kCancelledText = "The computation was cancelled; nothing was changed.";

class CZENPHDoc : public QObject {
  Q_OBJECT
 public:
  explicit CZENPHDoc(const QString& title, QObject* parent = nullptr);
  ~CZENPHDoc() override;

  QString Title() const { return m_strTitle; }
  void SetTitle(const QString& title);
  // The file the document was opened from or last saved to; empty if none.
  QString PathName() const { return m_strPathName; }
  void SetPathName(const QString& path);  // also takes the file's name as title

  // Nothing computed yet. Such a document has nothing to save.
  bool HasComputation() const { return m_pComputation != nullptr; }
  // The last computation; only while HasComputation().
  Computation& GetComputation() const { return *m_pComputation; }
  const ComputationInput& Input() const { return m_pComputation->Input(); }
  const CDecomposition& Decomposition() const;  // empty before the first computation

  // Runs the computation's decomposition with the progress dialog and, when
  // it succeeds, makes it the document's computation. When the run throws
  // (Cancelled included: the dialog's Cancel), the document keeps what it
  // had and the exception passes on.
  void Compute(std::unique_ptr<Computation> computation, QWidget* progressOwner);

  // Writes the stored form to path. Throws WriteError naming the file.
  void SaveTo(const QString& path) const;

 signals:
  void TitleChanged();
  void ComputationChanged();

 private:
  QString m_strTitle;
  QString m_strPathName;
  std::unique_ptr<Computation> m_pComputation;
};

}  // namespace zenphal
