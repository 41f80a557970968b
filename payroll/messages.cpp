#include "payroll/messages.h"

#include <charconv>

namespace varnolix::payroll {
namespace {

// A switch, so that the compiler names any message left without a text.
constexpr std::string_view TextOf(Message message) {
  switch (message) {
    case Message::kNotAnAmount:
      return "line {}, column {}: '{}' is not an amount";
    case Message::kBasicNotAboveZero:
      return "line {}, column {}: {}";
    case Message::kWrongFieldCount:
      return "line {}: expected {} fields, found {}";
    case Message::kDecimalDoubt:
      return "line {}, column {}: '{}' is {} with a decimal point but {} with a decimal comma; write it without "
             "separators between thousands";
    case Message::kDecimalComma:
      return "line {}, column {}: '{}' is written the decimal-comma way; write it as {}";
    case Message::kEmptyInput:
      return "'{}' is empty";
    case Message::kNoBasicColumn:
      return "line {}: no basic_pm column";
    case Message::kDuplicateColumn:
      return "line {}: '{}' (field {}) and '{}' (field {}) both name column {}";
    case Message::kTextAfterClosingQuote:
      return "line {}: text after a closing quote";
    case Message::kUnterminatedQuote:
      return "line {}: a quoted field is still open at the end of the input";
    case Message::kRecordTooLong:
      return "line {}: a record longer than 4 MiB";
    case Message::kCannotOpenInput:
      return "cannot open '{}': {}";
    case Message::kCannotReadInput:
      return "cannot read '{}': {}";
    case Message::kCannotOpenOutput:
      return "cannot open '{}' for writing: {}";
    case Message::kCannotWriteOutput:
      return "cannot write '{}': {}";
    case Message::kSameInputAndOutput:
      return "'{}' is both the input and the output";
    case Message::kZipSpreadsheet:
      return "'{}' is a spreadsheet (xlsx or ods), not a CSV file; save it as \"CSV UTF-8\" and use that";
    case Message::kOldSpreadsheet:
      return "'{}' is a spreadsheet in the old binary format (xls), not a CSV file; save it as \"CSV UTF-8\" and "
             "use that";
    case Message::kBinaryFile:
      return "'{}' is a binary file, not a CSV file; save it as \"CSV UTF-8\" and use that";
    case Message::kNotRegularFile:
      return "'{}' is {}, not a file of rows; open a CSV file";
    case Message::kCannotWriteIntoFolder:
      return "cannot write into the folder '{}': {}";
    case Message::kNearMissColumn:
      return "line {}, field {}: '{}' is not the name of an amount column; did you mean {}?";
    case Message::kKeepColumnAdvice:
      return " To pass the column through untouched, add --keep-column {}";
    case Message::kRenameColumnAdvice:
      return " Name the column {} in the file to read its amounts, or give it another name to keep it as it is.";
    case Message::kNoRows:
      return "'{}' has no rows below its header";
    case Message::kChangedSinceListed:
      return "'{}' changed after its rows were listed; open it again";
    case Message::kNotUtf8:
      return "line {}: a cell holds bytes that are not UTF-8 text, shown as \uFFFD";
    case Message::kNotUtf8OneMoreLine:
      return "1 more line holds such bytes";
    case Message::kNotUtf8MoreLines:
      return "{} more lines hold such bytes";
    case Message::kTheRowHasErrors:
      return "{} of {} row has errors, on line {}";
    case Message::kOneRowHasErrors:
      return "{} of {} rows has errors, on line {}";
    case Message::kRowsHaveErrors:
      return "{} of {} rows have errors; the first is on line {}";
    case Message::kReadInPart:
      return "line {}, column {}: '{}' read as {}";
    case Message::kReplaceRows:
      return "{} holds {} rows. Replace them all with this one row?";
    case Message::kReplaceFile:
      return "{} already exists. Replace it?";
    case Message::kWriteBackQuestion:
      return "These entries came from line {} of {}, a file of {} rows.\n\n"
             "Write them back into that line, or save them as a new file of their own?";
    case Message::kNoWriteBackIntoUtf16:
      return "'{}' is saved as UTF-16, which only a spreadsheet writes again; save the entries as a new file instead";
    case Message::kNoColumnToWriteBack:
      return "'{}' has no {} column to hold the amount typed for it; save the entries as a new file instead";
  }
  return "";
}

void AppendArg(std::string& out, const MessageArg& arg) {
  if (!arg.isNumber) {
    out += arg.text;
    return;
  }
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, arg.number);
  (void)error;  // 24 places hold any 64-bit number
  out.append(digits, end);
}

}  // namespace

void AppendMessage(std::string& out, Message message, std::initializer_list<MessageArg> args) {
  std::string_view pattern = TextOf(message);
  const MessageArg* next = args.begin();
  for (size_t hole = pattern.find("{}"); hole != std::string_view::npos; hole = pattern.find("{}")) {
    out += pattern.substr(0, hole);
    if (next != args.end()) AppendArg(out, *next++);
    pattern.remove_prefix(hole + 2);
  }
  out += pattern;
}

std::string MessageText(Message message, std::initializer_list<MessageArg> args) {
  std::string text;
  AppendMessage(text, message, args);
  return text;
}

std::string RefusedRowsText(long long refused, long long rows, long long firstLine) {
  const Message message = rows == 1      ? Message::kTheRowHasErrors
                          : refused == 1 ? Message::kOneRowHasErrors
                                         : Message::kRowsHaveErrors;
  return MessageText(message, {refused, rows, firstLine});
}

std::string_view QuotableExcerpt(std::string_view cell, bool& cut) {
  constexpr int kMaxCharacters = 40;
  int characters = 0;
  for (size_t i = 0; i < cell.size(); ++i) {
    // A character starts at every byte that is not a UTF-8 continuation byte.
    if ((static_cast<unsigned char>(cell[i]) & 0xC0) == 0x80) continue;
    if (characters == kMaxCharacters) {
      cut = true;
      return cell.substr(0, i);
    }
    ++characters;
  }
  cut = false;
  return cell;
}

std::string QuotedCell(std::string_view cell) {
  bool cut = false;
  std::string quoted;
  for (const char c : QuotableExcerpt(cell, cut)) {
    if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  if (cut) quoted += "...";
  return quoted;
}

}  // namespace varnolix::payroll
