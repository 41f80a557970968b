// The CSV reader on any bytes. The same records and the same fault must come out however
// the input is delivered: all at once, or a few bytes per read into a tiny buffer. Each
// record, written back, reads back as the same fields. (threads_fuzz holds the chunks
// the record framer cuts to the same.)
//
// The first two bytes choose the delivery: byte 0 the bytes per read (1-8, bits 0-2) and
// a failing read at the end (bit 3); byte 1 the buffer size (bits 0-4) and the record
// limit (bits 5-7; 7 for the tool's own).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "payroll/csv_reader.h"
#include "payroll/csv_writer.h"
#include "tests/payroll/string_streams.h"
#include "tests/fuzz/property.h"

namespace varnolix::fuzz {
namespace {

using payroll::CsvFault;
using payroll::CsvLimits;
using payroll::CsvReader;

struct Record {
  std::vector<std::string> fields;
  long long line = 0;
  bool verbatim = false;
  bool operator==(const Record&) const = default;
};

struct Reading {
  std::vector<Record> records;
  CsvFault fault = CsvFault::kNone;
  long long faultLine = 0;
  bool operator==(const Reading&) const = default;
};

Record Current(const CsvReader& reader) {
  Record record{{}, reader.line(), reader.verbatim()};
  for (std::string_view field : reader.fields()) record.fields.emplace_back(field);
  return record;
}

std::string Written(const std::vector<std::string>& fields, char separator = ',') {
  std::string text;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += separator;
    payroll::AppendCsvField(text, fields[i], separator);
  }
  return text;
}

// Checks what a record must be on its own, while its text is still in the reader.
void CheckRecord(const CsvReader& reader, const Record& record, long long previousLine) {
  Require(!record.fields.empty(), "a record has at least one field");
  Require(record.line > previousLine, "records start on ever later lines");
  if (record.verbatim) {
    Require(Written(record.fields, reader.dialect().separator) == reader.text(),
            "a verbatim record is its fields written back");
  }
}

// Written back after a first line (so that a leading byte-order mark stays data), the
// record reads back as the same fields. A lone empty field is written as an
// empty line, which is no record; the tool never writes one. A NUL, which only a UTF-16
// file's reading gives, marks the start of a file as binary.
void CheckRoundTrip(const Record& record) {
  if (record.fields.size() == 1 && record.fields[0].empty()) return;
  for (const std::string& field : record.fields) {
    if (field.find('\0') != std::string::npos) return;
  }
  payroll::testing::StringSource source("first\n" + Written(record.fields) + "\n");
  CsvReader reader(source, {.bufferBytes = 64});
  Require(reader.Next() && reader.Next(), "a written record reads back");
  Require(Current(reader).fields == record.fields, "a written record reads back as the same fields");
  // Undoing a doubled quote changes the text in place, so such a record is never verbatim.
  bool quotes = false;
  for (const std::string& field : record.fields) quotes = quotes || field.find('"') != std::string::npos;
  Require(reader.verbatim() == !quotes, "a written record without quotes in its fields reads back verbatim");
  Require(!reader.Next() && reader.fault() == CsvFault::kNone, "a written record is one record");
}

Reading ReadAll(payroll::ByteSource& source, CsvLimits limits, bool check) {
  Reading reading;
  CsvReader reader(source, limits);
  long long previousLine = 0;
  while (reader.Next()) {
    reading.records.push_back(Current(reader));
    if (check) CheckRecord(reader, reading.records.back(), previousLine);
    previousLine = reading.records.back().line;
  }
  reading.fault = reader.fault();
  reading.faultLine = reader.faultLine();
  return reading;
}

}  // namespace
}  // namespace varnolix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnolix::fuzz;
  if (size < 2) return 0;
  const size_t bytesPerRead = 1 + (data[0] & 7u);
  const bool failAtEnd = (data[0] & 8u) != 0;
  // Room for the whole input at once, without the tool's large buffer to clear each time.
  CsvLimits limits{.bufferBytes = size};
  const size_t limitStep = static_cast<size_t>(data[1] >> 5u);
  if (limitStep != 7) limits.maxRecordBytes = 8 + 64 * limitStep;
  const std::string input(reinterpret_cast<const char*>(data) + 2, size - 2);

  using varnolix::payroll::testing::StringSource;
  StringSource whole(input, input.size() + 1, failAtEnd);
  const Reading reading = ReadAll(whole, limits, true);
  for (const Record& record : reading.records) CheckRoundTrip(record);

  StringSource wholeAgain(input, input.size() + 1, failAtEnd);
  Require(ReadAll(wholeAgain, limits, false) == reading, "the same input reads the same way twice");

  CsvLimits tiny = limits;
  tiny.bufferBytes = 1 + (data[1] & 31u);
  StringSource trickle(input, bytesPerRead, failAtEnd);
  Require(ReadAll(trickle, tiny, false) == reading, "a few bytes per read into a tiny buffer read alike");
  return 0;
}
