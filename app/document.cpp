#include "app/document.h"

#include <QFileInfo>

#include "app/messages.h"
#include "app/progress_dlg.h"
#include "computation/document_file.h"
#include "output/file_writer.h"

namespace zenphal {

CZENPHDoc::CZENPHDoc(const QString& title, QObject* parent) : QObject(parent), m_strTitle(title) {}

CZENPHDoc::~CZENPHDoc() = default;

void CZENPHDoc::SetTitle(const QString& title) {
  if (title == m_strTitle) return;
  m_strTitle = title;
  emit TitleChanged();
}

void CZENPHDoc::SetPathName(const QString& path) {
  m_strPathName = QFileInfo(path).absoluteFilePath();
  SetTitle(QFileInfo(path).fileName());
}

const CDecomposition& CZENPHDoc::Decomposition() const {
  static const CDecomposition kNone;
  return m_pComputation ? m_pComputation->Decomposition() : kNone;
}

void CZENPHDoc::Compute(std::unique_ptr<Computation> computation, QWidget* progressOwner) {
  RunWithProgress(*computation, progressOwner);
  m_pComputation = std::move(computation);
  emit ComputationChanged();
}

void CZENPHDoc::SaveTo(const QString& path) const {
  WriteFileAtomically(ToStdString(path), DocumentToJson(Input()));
}

}  // namespace zenphal
