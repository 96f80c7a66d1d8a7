#include "app/zenph_doc.h"

#include <QFileInfo>

#include "app/document_file.h"
#include "app/messages.h"
#include "app/progress_dlg.h"
#include "app/zenph_view.h"

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

void CZENPHDoc::Compute(std::unique_ptr<CComputation> c, QWidget* progressOwner) {
  RunDecompositionWithProgress(c->decomposition, progressOwner);
  // The decomposition first: it points at the aligner being replaced.
  m_decomposition = std::move(c->decomposition);
  m_pAligner = std::move(c->aligner);
  m_pStructure1 = std::move(c->structure1);
  m_pStructure2 = std::move(c->structure2);
  m_input = c->input;
  emit ComputationChanged();
}

bool CZENPHDoc::SaveTo(const QString& path, QString* error) const {
  return WriteWholeFile(path, QByteArray::fromStdString(DocumentToJson(m_input)), error);
}

void CZENPHDoc::AddView(CZENPHView* view) { m_views.append(view); }

void CZENPHDoc::RemoveView(CZENPHView* view) { m_views.removeAll(view); }

void CZENPHDoc::UpdateAllViews() {
  for (CZENPHView* view : m_views) view->update();
}

}  // namespace zenphal
