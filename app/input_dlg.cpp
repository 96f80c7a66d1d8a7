#include "app/input_dlg.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <vector>

#include "app/messages.h"
#include "engine/errors.h"
#include "formats/help_form.h"
#include "formats/input_file.h"
#include "formats/read_structure.h"
#include "formats/stockholm.h"

namespace zenphal {
namespace {

const StructureScoresDialog::Layout kLayout = {
    "Input", {346, 326}, {14, 7, 291, 180}, {15, 197, 290, 100},
    {"RNA1:", {25, 22, 30, 13}}, {"RNA2:", {24, 102, 30, 13}},
    {kIdInputRna1Combo, {59, 20, 156, 49}}, {kIdInputReadFile1, {225, 19, 56, 14}},
    {kIdInputRna1Edit, {59, 38, 224, 57}},
    {kIdInputRna2Combo, {59, 102, 156, 51}}, {kIdInputReadFile2, {225, 102, 56, 14}},
    {kIdInputRna2Edit, {59, 119, 226, 59}},
    false,
    {"Match Score:", {23, 211, 42, 13}}, {"Indel Score:", {143, 211, 42, 13}},
    {"Mismatch Score Range:", {23, 245, 93, 13}}, {"From", {23, 270, 17, 8}}, {"To", {80, 270, 9, 8}},
    {"Gap Score Range:", {144, 246, 58, 13}}, {"From", {146, 268, 17, 8}}, {"To", {209, 269, 9, 8}},
    {kIdInputMatch, {51, 226, 54, 14}}, {kIdInputIndel, {167, 226, 54, 14}},
    {kIdInputMismatchFrom, {46, 267, 29, 15}}, {kIdInputMismatchTo, {99, 267, 29, 15}},
    {kIdInputGapFrom, {170, 265, 29, 15}}, {kIdInputGapTo, {227, 265, 29, 15}},
    {81, 305, 50, 14}, {178, 305, 50, 14},
};

// A structure text that no reader takes, for the message box: which box,
// and the reader's words. Texts taken for a file format say which one.
QString StructureTextMessage(int structure, const std::string& text, const char* why) {
  const auto format = DetectStructureFormat(text);
  QString reason = QString::fromUtf8(why);
  if (!reason.endsWith(QLatin1Char('.'))) reason += QLatin1Char('.');
  if (!format || *format == StructureFormat::kLayout) {
    return QStringLiteral("RNA%1: invalid argument: %2").arg(structure).arg(reason);
  }
  const std::string_view title = StructureFormatTitle(*format);
  return QStringLiteral("RNA%1: read as %2: %3")
      .arg(structure)
      .arg(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())), reason);
}

// Where to look for the forms a box takes, after a reader's words.
constexpr const char* kFormsHint =
    "\n\nA structure can be typed as its bases on one line and its stems on the next "
    "(left end, right end and number of pairs of each, positions from 0), or in dot-bracket, CT or BPSEQ; "
    "Help Topic shows an example of each.";

// A Stockholm member in the Help page's form: a name line saying where it
// comes from, the bases, the stem numbers.
std::string MemberText(const StructureSource& source) {
  const StockholmAlignment& a = *source.stockholm->alignment;
  std::string text = ">" + source.name + " (" + a.Title() + ", " +
                     QFileInfo(ToQString(source.path)).fileName().toStdString() + ")\n" + source.bases + "\n";
  return text + source.stems + "\n";
}

// A reader's note about an operand, without the operand it begins with.
std::string NoteWithoutOperand(const std::string& note, const std::string& operand) {
  return note.starts_with(operand + ": ") ? note.substr(operand.size() + 2) : note;
}

}  // namespace

QString ReferenceNoteText(const PairwiseReference& r) {
  return QStringLiteral("RNA1 and RNA2 are %1 and %2 of %3: their alignment there is the reference alignment of "
                        "this document. View > Colour by Agreement colours each region by how well its alignment "
                        "agrees with it; the status bar gives the agreement under the mouse.")
      .arg(ToQString(r.member1), ToQString(r.member2), ToQString(r.family));
}

CInputDlg::CInputDlg(QWidget* parent) : StructureScoresDialog(kLayout, parent) {
  for (QPlainTextEdit* box : {m_editRna1, m_editRna2}) {
    box->setPlaceholderText(QString::fromLatin1(kStructurePlaceholder));
  }
  for (QPushButton* button : {m_buttonReadFile1, m_buttonReadFile2}) {
    button->setToolTip(QStringLiteral("Read a structure file; from a Stockholm alignment, pick a member (two members "
                                      "of one alignment are compared with their alignment there)"));
  }
  connect(m_buttonReadFile1, &QPushButton::clicked, this, &CInputDlg::OnReadFile1);
  connect(m_buttonReadFile2, &QPushButton::clicked, this, &CInputDlg::OnReadFile2);
  connect(m_buttonOk, &QPushButton::clicked, this, &CInputDlg::OnOK);
}

// The two buttons' filters differ by one space, as they always have.
void CInputDlg::OnReadFile1() { ReadFile(1, QStringLiteral("Text Files (*.txt)")); }

void CInputDlg::OnReadFile2() { ReadFile(2, QStringLiteral("Text Files(*.txt)")); }

void CInputDlg::ReadFile(int structure, const QString& filter) {
  QFileDialog chooser(this, QStringLiteral("Open"));
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  // Any name is taken, and checked when read: the default suffix is added to
  // every name without one, so an existing file such as "trna" (or a device)
  // would otherwise be looked for as "trna.txt" and refused by the chooser.
  chooser.setFileMode(QFileDialog::AnyFile);
  chooser.setNameFilters({filter, QStringLiteral("All Files (*.*)")});
  chooser.setDefaultSuffix(QStringLiteral("txt"));
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  QString path = chooser.selectedFiles().constFirst();
  const QString asNamed = path.chopped(4);
  if (path.endsWith(QLatin1String(".txt")) && !QFileInfo::exists(path) && QFileInfo::exists(asNamed)) path = asNamed;
  ReadFileInto(structure, path);
}

void CInputDlg::ReadFileInto(int structure, const QString& path) {
  std::string bytes;
  try {
    bytes = ReadInputFile(ToFilePath(path));
  } catch (const FileReadError& e) {
    ShowError(this, MessageOf(e));
    return;
  }
  if (DetectStructureFormat(bytes) == StructureFormat::kStockholm) {
    std::vector<StockholmAlignment> alignments;
    try {
      alignments = ReadStockholm(bytes);
    } catch (const InputError& e) {
      ShowError(this, QStringLiteral("%1: %2.").arg(NativePath(path), ToQString(e.what())));
      return;
    }
    if (const auto selector = ChooseStockholmMember(structure, path, alignments)) {
      ReadStockholmMemberInto(structure, path, ToQString(*selector));
    }
    return;
  }
  (structure == 1 ? m_editRna1 : m_editRna2)->setPlainText(ToQString(bytes));
}

std::optional<std::string> CInputDlg::ChooseStockholmMember(int structure, const QString& path,
                                                             const std::vector<StockholmAlignment>& alignments) {
  std::vector<StockholmPick> picks;
  QStringList items;
  for (size_t a = 0; a < alignments.size(); ++a) {
    for (size_t k = 0; k < alignments[a].sequences.size(); ++k) {
      const StockholmSequence& member = alignments[a].sequences[k];
      const QString family = alignments.size() > 1 ? ToQString(alignments[a].Title()) + QStringLiteral(": ") : QString();
      items << QStringLiteral("%1%2 (%3 bases)").arg(family, ToQString(member.name)).arg(ReferenceBases(member.row).size());
      picks.push_back({a, k});
    }
  }
  if (picks.size() == 1) return StockholmSelector(alignments, picks.front());
  // The first member that the other box does not hold already.
  int first = 0;
  if (const auto& other = m_aMembers[structure == 1 ? 1 : 0];
      other && QFileInfo(ToQString(other->source.path)) == QFileInfo(path) && other->source.stockholm) {
    for (size_t i = 0; i < picks.size(); ++i) {
      if (picks[i].alignment == other->source.stockholm->alignmentIndex &&
          picks[i].sequence == other->source.stockholm->sequence) {
        first = static_cast<int>((i + 1) % picks.size());
      }
    }
  }
  QInputDialog chooser(this);
  chooser.setWindowTitle(QStringLiteral("Stockholm Member"));
  chooser.setLabelText(QStringLiteral("%1 holds %2 sequences. Which one is RNA%3?\n"
                                      "(Two members of one alignment are compared with their alignment there.)")
                           .arg(QFileInfo(path).fileName())
                           .arg(picks.size())
                           .arg(structure));
  chooser.setOption(QInputDialog::UseListViewForComboBoxItems);
  chooser.setComboBoxItems(items);
  chooser.setTextValue(items[first]);
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  const qsizetype chosen = items.indexOf(chooser.textValue());
  if (chosen < 0) return std::nullopt;
  return StockholmSelector(alignments, picks[static_cast<size_t>(chosen)]);
}

void CInputDlg::ReadStockholmMemberInto(int structure, const QString& path, const QString& selector) {
  StructureSource source;
  try {
    source = LoadStructureSource(ToFilePath(path) + "#" + ToStdString(selector), StructureFormat::kStockholm);
  } catch (const FileReadError& e) {
    ShowError(this, MessageOf(e));
    return;
  } catch (const InputError& e) {
    ShowError(this, ToQString(e.what()) + QLatin1Char('.'));
    return;
  }
  QPlainTextEdit* box = structure == 1 ? m_editRna1 : m_editRna2;
  box->setPlainText(ToQString(MemberText(source)));
  m_aMembers[structure == 1 ? 0 : 1] = BoxMember{ToStdString(box->toPlainText()), std::move(source)};
}

void CInputDlg::OnOK() {
  const QString text1 = m_editRna1->toPlainText();
  const QString text2 = m_editRna2->toPlainText();
  if (text1.isEmpty() || text2.isEmpty()) {
    ShowMessage(this, QStringLiteral("Please input RNA structure."));
    return;
  }

  ComputationInput input;
  QPlainTextEdit* edits[] = {m_editRna1, m_editRna2};
  std::string* results[][2] = {{&input.bases1, &input.stems1}, {&input.bases2, &input.stems2}};
  QStringList notes;
  const StructureSource* members[2] = {nullptr, nullptr};  // the boxes that still show their member
  for (int i = 0; i < 2; ++i) {
    const std::string text = ToStdString(edits[i]->toPlainText());
    StructureRead read;
    if (m_aMembers[i] && m_aMembers[i]->text == text) {
      const StructureSource& member = m_aMembers[i]->source;
      members[i] = &member;
      read.bases = member.bases;
      read.stems = member.stems;
      for (const std::string& note : member.notes) read.notes.push_back(NoteWithoutOperand(note, member.label));
    } else {
      try {
        read = ReadStructureText(text);
      } catch (const InputError& e) {
        // The Help page's own form: bases, then stem numbers.
        if (auto simple = ReadSequenceAndStems(text)) {
          read = std::move(*simple);
        } else {
          ShowError(this, StructureTextMessage(i + 1, text, e.what()) + QString::fromLatin1(kFormsHint));
          edits[i]->setFocus();
          return;
        }
      }
    }
    *results[i][0] = std::move(read.bases);
    *results[i][1] = std::move(read.stems);
    const QString rna = QStringLiteral("RNA%1: ").arg(i + 1);
    if (read.structureCount > 1) {
      notes << rna + QStringLiteral("the text holds %1 structures; the first was used.").arg(read.structureCount);
    }
    for (const std::string& note : read.notes) notes << rna + ToQString(note) + QLatin1Char('.');
  }
  if (members[0] && members[1]) {
    input.reference = SharedAlignmentReference(*members[0], *members[1]);
    if (input.reference) notes << ReferenceNoteText(*input.reference);
  }
  if (!Confirm(input)) return;
  m_strSequence1 = input.bases1;
  m_strStems1 = input.stems1;
  m_strSequence2 = input.bases2;
  m_strStems2 = input.stems2;
  if (!notes.isEmpty()) ShowMessage(this, notes.join(QLatin1Char('\n')));
  accept();
}

}  // namespace zenphal
