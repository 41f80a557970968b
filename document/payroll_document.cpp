#include "document/payroll_document.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "assessment/amount.h"
#include "document/row_write_back.h"
#include "payroll/ascii.h"
#include "payroll/messages.h"
#include "payroll/saved_entries.h"
#include "payroll/system/input_file.h"

namespace varnolix::document {
namespace {

using payroll::Message;
using payroll::MessageText;

std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string RowCount(std::size_t count) { return GroupIndian(std::to_string(count)); }

// A cell on one line of a title or a list, however it was written in the file.
std::string OneLine(std::string_view text) {
  bool cut = false;
  std::string line(payroll::QuotableExcerpt(payroll::TrimBlanks(text), cut));
  for (char& c : line) {
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  }
  return cut ? line + "..." : line;
}

// The cells of a listed row, in the order they were joined.
std::vector<std::string_view> SplitCells(std::string_view cells) {
  std::vector<std::string_view> split;
  for (size_t at = 0;;) {
    const size_t next = cells.find(payroll::kCellSeparator, at);
    split.push_back(cells.substr(at, next - at));
    if (next == std::string_view::npos) return split;
    at = next + 1;
  }
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found && !error;
}

std::string CannotWrite(const std::string& path, const payroll::WriteOutcome& outcome) {
  return payroll::OutputFailureText(Message::kCannotWriteOutput, path, outcome.failure);
}

}  // namespace

std::string PayrollDocument::Open(const std::string& path) {
  m_listing.reset();
  Listing listing{path, {}};
  const std::string problem = payroll::ReadFileAt(path, [&](payroll::ByteSource& source) {
    listing.rows = payroll::ListRows(source, path);
    return listing.rows.problem;
  });
  if (problem.empty()) m_listing = std::move(listing);
  return problem;
}

std::size_t PayrollDocument::ListedCount() const { return m_listing ? m_listing->rows.rows.size() : 0; }

std::string PayrollDocument::ListedItem(std::size_t index) const {
  const payroll::ListedRow& row = m_listing->rows.rows[index];
  const payroll::WhoColumns& who = m_listing->rows.who;
  const std::vector<std::string_view> cells = SplitCells(m_listing->rows.CellsOf(row));
  std::string item = "Line " + std::to_string(row.line);
  const char* separator = ": ";
  for (const std::optional<std::size_t>& column : {who.code, who.name, who.department}) {
    if (!column || *column >= cells.size() || cells[*column].empty()) continue;
    item += separator;
    item += cells[*column];
    separator = " \u00B7 ";
  }
  return item;
}

std::string_view PayrollDocument::ListedSearchText(std::size_t index) const {
  return m_listing->rows.CellsOf(m_listing->rows.rows[index]);
}

std::string PayrollDocument::ListingNote() const {
  if (!m_listing || m_listing->rows.nonUtf8Lines == 0) return {};
  const payroll::PayrollRows& rows = m_listing->rows;
  std::string note = MessageText(Message::kNotUtf8, {rows.firstNonUtf8Line});
  const long long more = rows.nonUtf8Lines - 1;
  if (more > 0) note += "; " + MessageText(more == 1 ? Message::kNotUtf8OneMoreLine : Message::kNotUtf8MoreLines, {more});
  note.front() = static_cast<char>(note.front() - 'a' + 'A');  // a sentence for a person: "Line 7: ..."
  return note + ".";
}

OpenedRow PayrollDocument::Pick(std::size_t index) {
  OpenedRow opened;
  if (!m_listing || index >= ListedCount()) {
    opened.problem = "no row was picked";
    return opened;
  }
  Listing listing = std::move(*m_listing);
  m_listing.reset();
  const payroll::ListedRow& listed = listing.rows.rows[index];
  payroll::PickedRow row;
  opened.problem = payroll::ReadFileAt(listing.path, [&](payroll::ByteSource& source) {
    std::string problem;
    row = payroll::ReadPickedRow(source, listing.path, listed.line, problem);
    return problem;
  });
  if (opened.problem.empty() && row.fingerprint != listed.fingerprint) {
    opened.problem = MessageText(Message::kChangedSinceListed, {listing.path});
  }
  if (opened.problem.empty() && !row.reading.amountsRead) {
    for (const std::string& error : row.reading.errors) opened.problem += (opened.problem.empty() ? "" : "\n") + error;
  }
  if (!opened.problem.empty()) return opened;

  m_open = {.path = std::move(listing.path),
            .line = row.line,
            .rowCount = listing.rows.rows.size(),
            .record = row.fingerprint,
            .file = listing.rows.file,
            .cells = std::move(row.cells),
            .who = std::move(row.who)};
  m_kept = row.reading.typed;
  opened.reading = std::move(row.reading);
  return opened;
}

bool PayrollDocument::IsModified(const PerField<std::string>& typed) const { return typed != m_kept; }

std::string PayrollDocument::SuggestedSaveName() const {
  if (m_open.rowCount <= 1) return m_open.path;
  const std::filesystem::path file(m_open.path);
  return (file.parent_path() / (file.stem().string() + "-line-" + std::to_string(m_open.line) + ".csv")).string();
}

bool PayrollDocument::CanWriteBack() const { return !m_open.path.empty() && m_open.rowCount > 1; }

std::string PayrollDocument::WriteBackQuestion() const {
  return MessageText(Message::kWriteBackQuestion, {m_open.line, BaseName(m_open.path), RowCount(m_open.rowCount)});
}

std::string PayrollDocument::ChangedSinceListed() const {
  payroll::FileFingerprint now;
  std::string problem = payroll::FingerprintFileAt(m_open.path, now);
  if (problem.empty() && now != m_open.file) problem = MessageText(Message::kChangedSinceListed, {m_open.path});
  return problem;
}

SaveQuestion PayrollDocument::QuestionBeforeSaving(const std::string& path) const {
  SaveQuestion question;
  if (!m_open.path.empty() && payroll::system::SameFile(path, m_open.path)) {
    question.problem = ChangedSinceListed();
    if (question.problem.empty() && m_open.rowCount > 1) {
      question.kind = SaveQuestion::Kind::kReplaceRows;
      question.text = MessageText(Message::kReplaceRows, {BaseName(path), RowCount(m_open.rowCount)});
    }
  } else if (Exists(path)) {
    question.kind = SaveQuestion::Kind::kReplaceFile;
    question.text = MessageText(Message::kReplaceFile, {BaseName(path)});
  }
  return question;
}

std::string PayrollDocument::Save(const std::string& path, const Entries& entries) {
  // The question was asked of the file as it was; it may have changed while it was asked.
  if (!m_open.path.empty() && payroll::system::SameFile(path, m_open.path)) {
    if (std::string problem = ChangedSinceListed(); !problem.empty()) return problem;
  }
  const std::string bytes = payroll::SavedEntriesCsv(entries.amounts, m_open.cells);
  if (const payroll::WriteOutcome written = payroll::WriteWholeFile(path, bytes); !written) {
    return CannotWrite(path, written);
  }
  Written(path, bytes, 0);
  m_kept = entries.typed;
  return {};
}

std::string PayrollDocument::Save(IntoItsLine, const Entries& entries) {
  if (!CanWriteBack()) return "no row of a payroll file is open";
  std::string bytes;
  if (std::string problem = payroll::ReadWholeFileAt(m_open.path, bytes); !problem.empty()) return problem;
  if (payroll::FingerprintOf(bytes) != m_open.file) return MessageText(Message::kChangedSinceListed, {m_open.path});
  const RewrittenFile rewritten = WithRowWrittenBack(bytes, m_open.path, m_open.line, m_open.record, entries.amounts);
  if (!rewritten.problem.empty()) return rewritten.problem;
  if (const payroll::WriteOutcome written = payroll::WriteWholeFile(m_open.path, rewritten.bytes); !written) {
    return CannotWrite(m_open.path, written);
  }
  Written(m_open.path, rewritten.bytes, m_open.line);
  m_kept = entries.typed;
  return {};
}

void PayrollDocument::Written(const std::string& path, std::string_view bytes, long long line) {
  // Listed again as Open would list it, so that the next save checks against what is there.
  payroll::BytesSource source(bytes);
  const payroll::PayrollRows listed = payroll::ListRows(source, path);
  m_open.path = path;
  m_open.file = payroll::FingerprintOf(bytes);
  m_open.rowCount = listed.rows.empty() ? 1 : listed.rows.size();
  m_open.line = 2;
  m_open.record = 0;
  for (const payroll::ListedRow& row : listed.rows) {
    if (line != 0 && row.line != line) continue;
    m_open.line = row.line;
    m_open.record = row.fingerprint;
    break;
  }
}

std::string PayrollDocument::Title() const {
  if (m_open.path.empty()) return {};
  const std::string file = BaseName(m_open.path);
  if (m_open.rowCount <= 1) return file;
  std::string who = OneLine(payroll::CodeAndName(m_open.who));
  if (who.empty()) who = "Line " + std::to_string(m_open.line);
  return who + " \u2013 " + file;
}

PayrollDocument::RowSource PayrollDocument::Source() const {
  if (m_open.path.empty()) return {};
  return {m_open.who, BaseName(m_open.path), m_open.rowCount > 1 ? m_open.line : 0};
}

}  // namespace varnolix::document
