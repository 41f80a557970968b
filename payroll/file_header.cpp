#include "payroll/file_header.h"

#include <algorithm>
#include <cstring>

#include "payroll/ascii.h"
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

std::string ShellWord(std::string_view text) {
  constexpr std::string_view kPlainSigns = "_-.,/+:@%";
  const bool plain = !text.empty() && std::ranges::all_of(text, [&](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || kPlainSigns.find(c) != kPlainSigns.npos;
  });
  if (plain) return std::string(text);
  std::string word = "'";
  for (char c : text) {
    if (c == '\'') {
      word += "'\\''";
    } else {
      word += c;
    }
  }
  return word + "'";
}

std::optional<ColumnMap> ReadHeader(CsvReader& reader, std::string_view inputName, std::string& problem,
                                    const HeaderReading& how) {
  if (!reader.Next()) {
    problem = reader.fault() != CsvFault::kNone ? FaultMessage(reader, inputName)
                                                : MessageText(Message::kEmptyInput, {inputName});
    return std::nullopt;
  }
  std::optional<ColumnMap::Duplicate> duplicate;
  ColumnMap columns = ColumnMap::FromHeader(reader.fields(), duplicate, how.keptColumns);
  if (duplicate) {
    problem = MessageText(Message::kDuplicateColumn, {reader.line(), duplicate->firstCell, duplicate->first,
                                                      duplicate->secondCell, duplicate->second, duplicate->name});
    return std::nullopt;
  }
  if (const std::optional<ColumnMap::NearMiss>& miss = columns.nearMiss()) {
    const std::string_view meant = Info(miss->meant).column;
    problem = MessageText(Message::kNearMissColumn, {reader.line(), miss->position, miss->cell, meant});
    if (how.keepColumnOption) {
      AppendMessage(problem, Message::kKeepColumnAdvice, {ShellWord(miss->cell)});
    } else {
      AppendMessage(problem, Message::kRenameColumnAdvice, {meant});
    }
    return std::nullopt;
  }
  if (!columns.IndexOf(Field::kBasic)) {
    problem = MessageText(Message::kNoBasicColumn, {reader.line()});
    return std::nullopt;
  }
  if (reader.dialect().separator == ';') columns.DoubtDecimalCommas();
  return columns;
}

}  // namespace varnolix::payroll
