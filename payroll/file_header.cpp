#include "payroll/file_header.h"

#include <cstring>

#include "payroll/messages.h"

namespace varnolix::payroll {

std::string FaultMessage(CsvFault fault, long long line, int readError, std::string_view inputName) {
  switch (fault) {
    case CsvFault::kNone:
      return {};
    case CsvFault::kTextAfterClosingQuote:
      return MessageText(Message::kTextAfterClosingQuote, {line});
    case CsvFault::kUnterminatedQuote:
      return MessageText(Message::kUnterminatedQuote, {line});
    case CsvFault::kRecordTooLong:
      return MessageText(Message::kRecordTooLong, {line});
    case CsvFault::kReadFailed:
      return MessageText(Message::kCannotReadInput, {inputName, std::strerror(readError)});
    case CsvFault::kZipSpreadsheet:
      return MessageText(Message::kZipSpreadsheet, {inputName});
    case CsvFault::kOldSpreadsheet:
      return MessageText(Message::kOldSpreadsheet, {inputName});
    case CsvFault::kBinaryFile:
      return MessageText(Message::kBinaryFile, {inputName});
  }
  return {};
}

std::string FaultMessage(const CsvReader& reader, std::string_view inputName) {
  return FaultMessage(reader.fault(), reader.faultLine(), reader.readError(), inputName);
}

std::optional<ColumnMap> ReadHeader(CsvReader& reader, std::string_view inputName, std::string& problem) {
  if (!reader.Next()) {
    problem = reader.fault() != CsvFault::kNone ? FaultMessage(reader, inputName)
                                                : MessageText(Message::kEmptyInput, {inputName});
    return std::nullopt;
  }
  std::optional<ColumnMap::Duplicate> duplicate;
  ColumnMap columns = ColumnMap::FromHeader(reader.fields(), duplicate);
  if (duplicate) {
    problem = MessageText(Message::kDuplicateColumn, {reader.line(), duplicate->name, duplicate->first, duplicate->second});
    return std::nullopt;
  }
  if (!columns.IndexOf(Field::kBasic)) {
    problem = MessageText(Message::kNoBasicColumn, {reader.line()});
    return std::nullopt;
  }
  return columns;
}

}  // namespace varnolix::payroll
