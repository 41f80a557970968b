// Every text said about a payroll file, by the batch tool and by the program that opens
// and saves them, in one table, so the wording lives in one place.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace varnolix::payroll {

enum class Message : std::uint8_t {
  // Row errors, written to the error column.
  kNotAnAmount,
  kBasicNotAboveZero,
  kWrongFieldCount,
  kDecimalDoubt,
  kDecimalComma,
  // Faults that stop the run.
  kEmptyInput,
  kNoBasicColumn,
  kDuplicateColumn,
  kTextAfterClosingQuote,
  kUnterminatedQuote,
  kRecordTooLong,
  kCannotOpenInput,
  kCannotReadInput,
  kCannotOpenOutput,
  kCannotWriteOutput,
  kSameInputAndOutput,
  kNotRegularFile,
  kZipSpreadsheet,
  kOldSpreadsheet,
  kBinaryFile,
  kCannotWriteIntoFolder,
  kNearMissColumn,
  // What a near miss's message suggests: in the tool, and in the program.
  kKeepColumnAdvice,
  kRenameColumnAdvice,
  // Faults of a file the program opens.
  kNoRows,
  kChangedSinceListed,
  kNotUtf8,
  kNotUtf8OneMoreLine,
  kNotUtf8MoreLines,
  // The closing note when some rows were refused: the one row, one of several, several.
  kTheRowHasErrors,
  kOneRowHasErrors,
  kRowsHaveErrors,
  // Said of a cell that --lenient reads only in part.
  kReadInPart,
  // Saving the program's entries into a file.
  kReplaceRows,
  kReplaceFile,
  kWriteBackQuestion,
  kNoColumnToWriteBack,
  kNoWriteBackIntoUtf16,
};

// Why a basic salary not above 0 is refused: the Income page keeps a person on it with
// this box, and the batch tool writes it in the row's error column.
inline constexpr std::string_view kBasicNeedsValue = "Basic PM must have some value.";

// One argument of a message: a text, or a number written in decimal.
struct MessageArg {
  MessageArg(std::string_view value) : text(value) {}  // NOLINT: implicit on purpose
  MessageArg(const char* value) : text(value) {}       // NOLINT
  MessageArg(const std::string& value) : text(value) {}  // NOLINT
  MessageArg(long long value) : number(value), isNumber(true) {}
  MessageArg(int value) : number(value), isNumber(true) {}
  MessageArg(std::size_t value) : number(static_cast<long long>(value)), isNumber(true) {}
  std::string_view text;
  long long number = 0;
  bool isNumber = false;
};

// Appends the message's text with each "{}" replaced by the next argument.
void AppendMessage(std::string& out, Message message, std::initializer_list<MessageArg> args = {});
std::string MessageText(Message message, std::initializer_list<MessageArg> args = {});

// The closing note when `refused` of `rows` rows were refused, the first on `firstLine`,
// its count read right: "1 of 12 rows has errors", "3 of 12 rows have errors".
std::string RefusedRowsText(long long refused, long long rows, long long firstLine);

// A cell as an error quotes it: at most 40 UTF-8 characters, then "..." if cut.
std::string_view QuotableExcerpt(std::string_view cell, bool& cut);

// A cell as a message quotes it: its excerpt, with "..." if cut, and any line break
// written as \r or \n, so that the message stays one line, and a result file's error cell
// spans no more lines than the record it stands in.
std::string QuotedCell(std::string_view cell);

}  // namespace varnolix::payroll
