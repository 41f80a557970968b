// The entries the window shows, and the file they came from or went to: the file being
// opened and its rows listed, the row picked and its other cells, and the texts as last
// opened or saved. Its rules hold without a window: the row opened is the row picked, and
// no file it writes loses a row or another person's change without a question first. The
// window asks it, shows its lists and questions, and fills its pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assessment/fields.h"
#include "payroll/fingerprint.h"
#include "payroll/payroll_file.h"
#include "payroll/row_reading.h"
#include "payroll/who_columns.h"

namespace varnolix::document {

// The entries as Save writes them, and as they were typed, to tell a later change.
struct Entries {
  PerField<std::optional<double>> amounts;
  PerField<std::string> typed;
};

// The row Pick opened: its amounts as the fields take them, or why nothing was opened.
struct OpenedRow {
  payroll::RowReading reading;
  std::string problem;
};

// What to ask before a file of one row is written to a path.
struct SaveQuestion {
  enum class Kind : std::uint8_t {
    kNone,         // nothing there, or the entries' own file of one row
    kReplaceRows,  // the file of several rows the entries came from
    kReplaceFile,  // another file
  };
  Kind kind = Kind::kNone;
  std::string text;     // the question, for a Replace / Cancel box
  std::string problem;  // why nothing may be written there; empty when it may
};

// Saves into the open row's own line of its file.
struct IntoItsLine {};
inline constexpr IntoItsLine kIntoItsLine{};

class PayrollDocument {
 public:
  // Lists the rows of the file at `path`, the first step of opening it; the file open
  // until now stays open until Pick. Why the file cannot be opened; empty when listed.
  std::string Open(const std::string& path);

  // The rows Open listed, for a person to pick one.
  std::size_t ListedCount() const;
  // "Line 5: E1004 · Meera Iyer · Finance": the line and who the row is about.
  std::string ListedItem(std::size_t index) const;
  // Every cell of the row that is not an amount, kCellSeparator apart, for a find.
  std::string_view ListedSearchText(std::size_t index) const;
  // What a person should know of the listed file before picking: which line holds bytes
  // that are not UTF-8 text. Empty when nothing.
  std::string ListingNote() const;

  // Reads the listed row `index` again and opens it if it is still the record listed,
  // on the same line with the same cells, and the batch tool can read its amounts. On
  // refusal, what was open stays open.
  OpenedRow Pick(std::size_t index);

  // Whether `typed` differs from the entries as last opened or saved.
  bool IsModified(const PerField<std::string>& typed) const;

  // Where Save suggests to write: the open file of one row itself, a file of its own
  // ("employees-line-5.csv") beside a file of several, nothing for entries typed afresh.
  std::string SuggestedSaveName() const;

  // Whether the open row came from a file of several rows, to which it can be written back.
  bool CanWriteBack() const;
  // The question whether to write the entries back into their line or save them apart.
  std::string WriteBackQuestion() const;
  // What to ask before Save writes a file of one row at `path`; a file of several rows
  // the entries came from must still be as it was listed.
  SaveQuestion QuestionBeforeSaving(const std::string& path) const;

  // Writes the entries as a file of one row at `path`, beside the other cells of the row
  // they came from, and makes it the open file. Why nothing was written; empty on success.
  std::string Save(const std::string& path, const Entries& entries);
  // Writes the entries back into the open row's line of its file, which must still be
  // byte for byte as it was listed or last saved; every other byte stays.
  std::string Save(IntoItsLine, const Entries& entries);

  // "E1004 Meera Iyer – employees.csv" for a row of a file of several; the file's name
  // alone for a file of one row; empty for entries typed afresh.
  std::string Title() const;
  // Who the open row is about and where it came from, as the printed sheet says it: the
  // file's name, and the row's line in a file of several (0 in a file of one). Empty for
  // entries typed afresh.
  struct RowSource {
    payroll::Who who;
    std::string file;
    long long line = 0;
  };
  RowSource Source() const;
  const std::string& path() const { return m_open.path; }

 private:
  struct Listing {
    std::string path;
    payroll::PayrollRows rows;
  };
  struct OpenRow {
    std::string path;  // empty for entries typed afresh
    long long line = 0;
    std::size_t rowCount = 0;
    std::uint64_t record = 0;       // the record's fingerprint
    payroll::FileFingerprint file;  // of the whole file, as listed or last written
    std::vector<payroll::RowCell> cells;
    payroll::Who who;
  };

  // Why the open file may not be written over: it changed since it was listed or saved.
  std::string ChangedSinceListed() const;
  // The open file is now `bytes`, just written to `path`; the row is the one on `line`,
  // or the first.
  void Written(const std::string& path, std::string_view bytes, long long line);

  std::optional<Listing> m_listing;
  OpenRow m_open;
  PerField<std::string> m_kept;
};

}  // namespace varnolix::document
