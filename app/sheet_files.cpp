// The sheet's files: Open, Save and Print, and the question asked before unsaved
// entries are lost. The document says what is opened, written and asked; the sheet
// shows its lists and questions and fills the pages.
#include <filesystem>

#include "app/entries.h"
#include "app/mod_property_sheet.h"
#include "assessment/amount.h"
#include "pages/field_checks.h"
#include "payroll/messages.h"
#include "pages/field_controls.h"
#include "pages/sheet_reading.h"
#include "payroll/messages.h"
#include "platform/clock.h"
#include "platform/file_dialog.h"
#include "platform/list_choice.h"
#include "platform/message_box.h"
#include "platform/printing.h"
#include "report/paper.h"
#include "report/sheet_painter.h"

namespace varnolix {
namespace {

constexpr std::string_view kCsvFilter = "CSV files (*.csv);;All files (*)";
constexpr std::string_view kNothingSaved = "Nothing was saved.";
constexpr int kTaxResultsTab = 4;

std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

void Refuse(std::string_view what, std::string_view problem) {
  AfxMessageBox(std::string(what) + "\n\n" + std::string(problem), MB_OK | MB_ICONEXCLAMATION, 0);
}

// A file name on a button, whose "&" would mark a mnemonic.
std::string OnButton(std::string_view text) {
  std::string shown;
  for (char c : text) shown += c == '&' ? std::string("&&") : std::string(1, c);
  return shown;
}

}  // namespace

void CModPropertySheet::OnOpen() {
  if (!MayLoseEntries()) return;
  const std::string& open = m_document.path();
  const std::string start = open.empty() ? std::string() : std::filesystem::path(open).parent_path().string();
  const std::optional<std::string> path = ChooseFile({.save = false,
                                                      .askToReplace = false,
                                                      .caption = "Open",
                                                      .start = start,
                                                      .filter = std::string(kCsvFilter),
                                                      .defaultSuffix = {}});
  if (path) OpenFile(*path);
}

bool CModPropertySheet::OpenFile(const std::string& path) {
  constexpr std::string_view kNothingOpened = "Nothing was opened.";
  if (const std::string problem = m_document.Open(path); !problem.empty()) {
    Refuse(kNothingOpened, problem);
    return false;
  }
  const std::string note = m_document.ListingNote();
  const std::size_t rows = m_document.ListedCount();
  std::size_t picked = 0;
  if (rows > 1) {
    const std::optional<std::size_t> choice = ChooseFromList({
        .caption = "Open",
        .prompt = (note.empty() ? "" : note + "\n\n") + BaseName(path) + " holds " +
                  GroupIndian(std::to_string(rows)) + " rows. Open the row of:",
        .count = rows,
        .item = [this](std::size_t i) { return m_document.ListedItem(i); },
        .searchText = [this](std::size_t i) { return m_document.ListedSearchText(i); },
        .noMatch = "No row matches",
    });
    if (!choice) return false;
    picked = *choice;
  }
  const document::OpenedRow row = m_document.Pick(picked);
  if (!row.problem.empty()) {
    Refuse(kNothingOpened, row.problem);
    return false;
  }
  PutEntries(row.reading.typed);
  ShowTitle();
  // A row whose basic salary is not above 0 opens on the Income page, which says so on leaving.
  SetActivePage(row.reading.ok() ? kTaxResultsTab : static_cast<int>(Page::kIncome), false);
  if (rows == 1 && !note.empty()) AfxMessageBox(note, MB_OK | MB_ICONINFORMATION, 0);
  return true;
}

void CModPropertySheet::PutEntries(const PerField<std::string>& typed) {
  for (int page = 0; page < GetPageCount(); ++page) CreatePage(page);
  m_bStdDeductionVisited = m_bSection80Visited = m_bSection88Visited = 1;
  // The input pages are the first tabs, in the order of their pages.
  for (const FieldInfo& info : kFields) {
    GetPage(static_cast<int>(info.page))->SetDlgItemText(ControlsOf(info.field).controlId, typed[info.field]);
  }
}

void CModPropertySheet::ShowTitle() {
  const std::string title = m_document.Title();
  SetWindowText(title.empty() ? std::string("Varnolix") : title + " - Varnolix");
}

void CModPropertySheet::OnSave() { SaveFile(); }

bool CModPropertySheet::SaveFile() {
  const SheetReading reading = ReadSheet(*this);
  const SavedAmounts saved = AmountsToSave(reading);
  if (!saved.problem.empty()) {
    Refuse(kNothingSaved, saved.problem);
    return false;
  }
  const document::Entries entries{saved.amounts, reading.typed};
  if (m_document.CanWriteBack()) {
    enum : std::size_t { kWriteBack, kNewFile, kCancel };
    const std::size_t answer = AfxAsk({.text = m_document.WriteBackQuestion(),
                                       .buttons = {"&Write into " + OnButton(BaseName(m_document.path())),
                                                   "Save as a &New File…", "Cancel"},
                                       .defaultButton = kWriteBack,
                                       .escapeButton = kCancel});
    if (answer == kCancel) return false;
    if (answer == kWriteBack) {
      if (const std::string problem = m_document.Save(document::kIntoItsLine, entries); !problem.empty()) {
        Refuse(kNothingSaved, problem);
        return false;
      }
      ShowTitle();
      return true;
    }
  }
  return SaveAsNewFile(entries);
}

bool CModPropertySheet::SaveAsNewFile(const document::Entries& entries) {
  // The dialog's own question would not say that a payroll file of many rows is replaced.
  const std::optional<std::string> path = ChooseFile({.save = true,
                                                      .askToReplace = false,
                                                      .caption = "Save",
                                                      .start = m_document.SuggestedSaveName(),
                                                      .filter = std::string(kCsvFilter),
                                                      .defaultSuffix = "csv"});
  if (!path) return false;
  const document::SaveQuestion question = m_document.QuestionBeforeSaving(*path);
  if (!question.problem.empty()) {
    Refuse(kNothingSaved, question.problem);
    return false;
  }
  if (question.kind != document::SaveQuestion::Kind::kNone) {
    enum : std::size_t { kReplace, kCancel };
    if (AfxAsk({.text = question.text, .buttons = {"&Replace", "Cancel"}, .defaultButton = kCancel, .escapeButton = kCancel}) !=
        kReplace) {
      return false;
    }
  }
  if (const std::string problem = m_document.Save(*path, entries); !problem.empty()) {
    Refuse(kNothingSaved, problem);
    return false;
  }
  ShowTitle();
  return true;
}

bool CModPropertySheet::MayLoseEntries() {
  if (!m_document.IsModified(ReadSheet(*this).typed)) return true;
  switch (AfxMessageBox("Save changes?", MB_SAVEDISCARDCANCEL | MB_ICONQUESTION, 0)) {
    case IDSAVE:
      return SaveFile();
    case IDDISCARD:
      return true;
    default:
      return false;
  }
}

void CModPropertySheet::OnExit() {
  if (MayLoseEntries()) EndDialog(IDCANCEL);
}

void CModPropertySheet::OnPrint() {
  const SheetReading reading = ReadSheet(*this);
  if (IsZeroNegativeOrTooLarge(reading.input.amounts[Field::kBasic], false)) {
    ShowInformation(payroll::kBasicNeedsValue);
    return;
  }
  const document::PayrollDocument::RowSource source = m_document.Source();
  const bool changed = !source.file.empty() && m_document.IsModified(reading.typed);
  const Computation computation =
      ComputationOf(SheetWho(source.who, source.file, source.line, changed), TodayText(), reading.typed, reading.shown);
  const std::string document = source.file.empty() ? std::string("Varnolix") : source.file;
  const PrintOutcome outcome = PrintDocument(document, report::LocalePaper(), [&computation](QPagedPaintDevice& device) {
    return report::PaintSheets(device, {&computation, 1});
  });
  if (outcome == PrintOutcome::kFailed) Refuse("The computation sheet could not be printed.", "Nothing was printed.");
}

}  // namespace varnolix
