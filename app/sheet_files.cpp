// The sheet's files: Open, Save and Print, and the question asked before unsaved
// entries are lost.
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/computation_sheet_of.h"
#include "app/entries.h"
#include "app/mod_property_sheet.h"
#include "assessment/amount.h"
#include "payroll/messages.h"
#include "payroll/saved_entries.h"
#include "pages/field_checks.h"
#include "pages/field_controls.h"
#include "platform/file_dialog.h"
#include "platform/list_choice.h"
#include "platform/message_box.h"
#include "platform/printing.h"
#include "report/paper.h"
#include "report/sheet_painter.h"

namespace varnolix {
namespace {

using payroll::MessageText;
using Say = payroll::Message;

constexpr std::string_view kCsvFilter = "CSV files (*.csv);;All files (*)";
constexpr int kTaxResultsTab = 4;

std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

void Refuse(std::string_view what, std::string_view problem) {
  AfxMessageBox(std::string(what) + "\n\n" + std::string(problem), MB_OK | MB_ICONEXCLAMATION, 0);
}

}  // namespace

void CModPropertySheet::OnOpen() {
  if (!MayLoseEntries()) return;
  const std::string start = m_fileName.empty() ? std::string() : std::filesystem::path(m_fileName).parent_path().string();
  const std::optional<std::string> path = ChooseFile(
      {.save = false, .caption = "Open", .start = start, .filter = std::string(kCsvFilter), .defaultSuffix = {}});
  if (path) OpenFile(*path);
}

bool CModPropertySheet::OpenFile(const std::string& path) {
  constexpr std::string_view kNothingOpened = "Nothing was opened.";
  payroll::PayrollRows listed;
  std::string problem = payroll::ReadFileAt(path, [&](payroll::ByteSource& source) {
    listed = payroll::ListRows(source, path);
    return listed.problem;
  });
  if (!problem.empty()) {
    Refuse(kNothingOpened, problem);
    return false;
  }
  std::size_t picked = 0;
  if (listed.rows.size() > 1) {
    const std::optional<std::size_t> choice = ChooseFromList({
        .caption = "Open",
        .prompt = BaseName(path) + " holds " + GroupIndian(std::to_string(listed.rows.size())) + " rows. Open the row of:",
        .count = listed.rows.size(),
        .item = [&listed](std::size_t i) {
          const payroll::RowName& row = listed.rows[i];
          return "Line " + std::to_string(row.line) + (row.name.empty() ? "" : ": " + row.name);
        },
    });
    if (!choice) return false;
    picked = *choice;
  }
  const payroll::RowName& row = listed.rows[picked];
  payroll::PickedRow read;
  problem = payroll::ReadFileAt(path, [&](payroll::ByteSource& source) {
    std::string unread;
    read = payroll::ReadPickedRow(source, path, row.line, unread);
    return unread;
  });
  if (problem.empty() && !read.reading.amountsRead) {
    for (const std::string& error : read.reading.errors) problem += (problem.empty() ? "" : "\n") + error;
  }
  if (!problem.empty()) {
    Refuse(kNothingOpened, problem);
    return false;
  }

  PutEntries(read.reading.typed);
  m_rowLine = row.line;
  m_rowCount = listed.rows.size();
  m_rowName = row.name;
  m_otherCells = std::move(read.others);
  KeepEntries(path);
  // A row whose basic salary is not above 0 opens on the Income page, which says so on leaving.
  SetActivePage(read.reading.ok() ? kTaxResultsTab : static_cast<int>(Page::kIncome), false);
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

void CModPropertySheet::KeepEntries(std::string fileName) {
  m_fileName = std::move(fileName);
  m_keptTexts = ReadSheet(*this).typed;
  SetWindowText(BaseName(m_fileName) + " - Varnolix");
}

void CModPropertySheet::OnSave() { SaveFile(); }

bool CModPropertySheet::SaveFile() {
  constexpr std::string_view kNothingSaved = "Nothing was saved.";
  const SheetReading reading = ReadSheet(*this);
  const SavedAmounts saved = AmountsToSave(reading);
  if (!saved.problem.empty()) {
    Refuse(kNothingSaved, saved.problem);
    return false;
  }
  // Never offer to write one row over a payroll file of many.
  std::string suggested = m_fileName;
  if (m_rowCount > 1) {
    const std::filesystem::path file(m_fileName);
    suggested = (file.parent_path() / (file.stem().string() + "-line-" + std::to_string(m_rowLine) + ".csv")).string();
  }
  const std::optional<std::string> path = ChooseFile(
      {.save = true, .caption = "Save", .start = suggested, .filter = std::string(kCsvFilter), .defaultSuffix = "csv"});
  if (!path) return false;
  if (!payroll::WriteWholeFile(*path, payroll::SavedEntriesCsv(saved.amounts, m_otherCells))) {
    Refuse(kNothingSaved, MessageText(Say::kCannotWriteOutput, {*path, std::strerror(errno)}));
    return false;
  }
  m_rowCount = 1;
  KeepEntries(*path);
  return true;
}

bool CModPropertySheet::MayLoseEntries() {
  if (ReadSheet(*this).typed == m_keptTexts) return true;
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

std::string CModPropertySheet::Subject() const {
  return m_fileName.empty() ? std::string() : SheetSubject(m_fileName, m_rowLine, m_rowCount > 1, m_rowName);
}

void CModPropertySheet::OnPrint() {
  const SheetReading reading = ReadSheet(*this);
  if (IsZeroNegativeOrTooLarge(reading.input.amounts[Field::kBasic], false)) {
    ShowInformation(payroll::kBasicNeedsValue);
    return;
  }
  const report::ComputationSheet sheet = ComputationSheetOf(reading, Subject());
  const std::string document = m_fileName.empty() ? std::string("Varnolix") : BaseName(m_fileName);
  const PrintOutcome outcome = PrintDocument(document, report::LocalePaper(), [&sheet](QPagedPaintDevice& device) {
    return report::PaintSheets(device, {&sheet, 1});
  });
  if (outcome == PrintOutcome::kFailed) Refuse("The computation sheet could not be printed.", "Nothing was printed.");
}

}  // namespace varnolix
