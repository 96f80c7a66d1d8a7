#pragma once
// One document: the state of one computation, shown by one or more views.
#include <QObject>
#include <QString>
#include <memory>

#include "app/computation.h"
#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/rna_structure.h"

class QWidget;

namespace zenphal {

class CZENPHView;

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

  // Nothing computed yet: no aligner. Such a document has nothing to save.
  bool HasComputation() const { return m_pAligner != nullptr; }
  const ComputationInput& Input() const { return m_input; }

  // Runs the prepared computation's decomposition with the progress dialog
  // and, when it succeeds, makes it the document's computation, replacing the
  // structures, the aligner and the decomposition together. When the run
  // throws, the document keeps what it had and the exception passes on.
  void Compute(std::unique_ptr<CComputation> computation, QWidget* progressOwner);

  // Writes the stored form; false with *error naming the file on failure.
  bool SaveTo(const QString& path, QString* error) const;

  // Views register themselves; the document repaints them after a change.
  void AddView(CZENPHView* view);
  void RemoveView(CZENPHView* view);
  const QList<CZENPHView*>& Views() const { return m_views; }
  void UpdateAllViews();

  // In this order, so that the decomposition (which points at the aligner)
  // goes first and the structures (which the aligner reads) last.
  std::unique_ptr<CRnaStructure> m_pStructure1;
  std::unique_ptr<CRnaStructure> m_pStructure2;
  std::unique_ptr<CAligner> m_pAligner;
  CDecomposition m_decomposition;

 signals:
  void TitleChanged();
  void ComputationChanged();

 private:
  QString m_strTitle;
  QString m_strPathName;
  ComputationInput m_input;
  QList<CZENPHView*> m_views;
};

}  // namespace zenphal
