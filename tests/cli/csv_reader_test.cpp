#include "cli/csv_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "tests/cli/string_streams.h"

namespace varnolix::cli {
namespace {

using testing::StringSource;

struct Record {
  long long line;
  std::vector<std::string> fields;
  bool operator==(const Record&) const = default;
};

void PrintTo(const Record& r, std::ostream* os) {
  *os << "line " << r.line << ":";
  for (const std::string& f : r.fields) *os << " [" << f << "]";
}

// Every record until the end or a fault.
struct Reading {
  Reading(std::string text, size_t chunk, CsvLimits limits) : source(std::move(text), chunk), reader(source, limits) {
    while (reader.Next()) {
      Record r{reader.line(), {}};
      for (std::string_view field : reader.fields()) r.fields.emplace_back(field);
      records.push_back(std::move(r));
    }
  }
  StringSource source;
  CsvReader reader;
  std::vector<Record> records;
};

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<Record> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class CsvReaderTest : public ::testing::TestWithParam<ReadCase> {};

// The same records whatever the sizes of the reads and of the buffer, so records that
// straddle a refill or outgrow the buffer come out whole.
TEST_P(CsvReaderTest, ReadsTheRecords) {
  const ReadCase& c = GetParam();
  for (size_t chunk : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{1} << 20}) {
    for (size_t buffer : {size_t{1}, size_t{5}, size_t{128} << 10}) {
      const Reading reading(c.text, chunk, {.bufferBytes = buffer});
      EXPECT_EQ(reading.records, c.expected) << "reads of " << chunk << ", buffer of " << buffer;
      EXPECT_EQ(reading.reader.fault(), CsvFault::kNone);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rfc4180, CsvReaderTest,
    ::testing::Values(
        ReadCase{"Empty", "", {}},
        ReadCase{"Plain", "a,b,c\n1,2,3\n", {{1, {"a", "b", "c"}}, {2, {"1", "2", "3"}}}},
        ReadCase{"NoFinalLineBreak", "a,b\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ReadCase{"EmptyFields", ",a,,\n", {{1, {"", "a", "", ""}}}},
        ReadCase{"LongUnquotedFields", "abcdefghijklmnop,qrstuvwxyz0123456789,x\n",
                 {{1, {"abcdefghijklmnop", "qrstuvwxyz0123456789", "x"}}}},
        ReadCase{"QuotedComma", "\"Rao, Asha\",1\n", {{1, {"Rao, Asha", "1"}}}},
        ReadCase{"DoubledQuotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{1, {"say \"hi\"", "\""}}}},
        ReadCase{"QuotedEmpty", "\"\",x\n", {{1, {"", "x"}}}},
        ReadCase{"CrLfEndings", "a,b\r\n1,2\r\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ReadCase{"CrAtTheVeryEnd", "a,b\r\n1,2\r", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ReadCase{"LoneCrIsData", "a\rb,c\n", {{1, {"a\rb", "c"}}}},
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF" "a,b\n1,2\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ReadCase{"ByteOrderMarkOnlyAtTheStart", "a\n\xEF\xBB\xBF" "b\n", {{1, {"a"}}, {2, {"\xEF\xBB\xBF" "b"}}}},
        ReadCase{"ByteOrderMarkAlone", "\xEF\xBB\xBF", {}},
        ReadCase{"EmptyLinesAreNoRecords", "\na\n\n\r\nb\n\n", {{2, {"a"}}, {5, {"b"}}}},
        ReadCase{"BlankLineIsARecord", "a\n \n", {{1, {"a"}}, {2, {" "}}}},
        ReadCase{"QuotedLineBreaksCountAsLines", "\"x\ny\",1\n\"p\r\nq\n\",2\nz,3\n",
                 {{1, {"x\ny", "1"}}, {3, {"p\r\nq\n", "2"}}, {6, {"z", "3"}}}},
        ReadCase{"QuotedFieldAtTheEnd", "1,\"a,b\"", {{1, {"1", "a,b"}}}},
        ReadCase{"QuotesInsideAQuotedFieldAcrossManyQuotes",
                 "\"a\"\"b\"\"c\",\"\"\"\",\"d\"\n", {{1, {"a\"b\"c", "\"", "d"}}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct FaultCase {
  const char* name;
  std::string text;
  CsvFault fault;
  long long line;
  size_t recordsBefore;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class CsvFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CsvFaultTest, StopsAtTheFaultNamingItsLine) {
  const FaultCase& c = GetParam();
  for (size_t chunk : {size_t{1}, size_t{4}, size_t{1} << 20}) {
    Reading reading(c.text, chunk, {.bufferBytes = 8, .maxRecordBytes = 64});
    EXPECT_EQ(reading.records.size(), c.recordsBefore);
    EXPECT_EQ(reading.reader.fault(), c.fault) << "reads of " << chunk;
    EXPECT_EQ(reading.reader.faultLine(), c.line) << "reads of " << chunk;
    EXPECT_FALSE(reading.reader.Next());
  }
}

INSTANTIATE_TEST_SUITE_P(
    BrokenQuoting, CsvFaultTest,
    ::testing::Values(
        FaultCase{"QuoteInsideUnquotedField", "a,b\n1,x\"y\",2\n", CsvFault::kQuoteInUnquotedField, 2, 1},
        FaultCase{"QuoteAfterBlank", "a,b\n1, \"y\"\n", CsvFault::kQuoteInUnquotedField, 2, 1},
        // The stray quote swallows the next line break, yet the fault names its own line.
        FaultCase{"StrayQuoteReadsOn", "a\nx\"\nb\nc\"\n", CsvFault::kQuoteInUnquotedField, 2, 1},
        FaultCase{"TextAfterClosingQuote", "a,b\n\"x\"y,2\n", CsvFault::kTextAfterClosingQuote, 2, 1},
        FaultCase{"BlankAfterClosingQuote", "\"x\" ,2\n", CsvFault::kTextAfterClosingQuote, 1, 0},
        FaultCase{"TextAfterQuoteOnALaterLine", "a\n\"x\ny\"z\n", CsvFault::kTextAfterClosingQuote, 3, 1},
        FaultCase{"UnterminatedAtEnd", "a\nb\n\"open\n\nmore", CsvFault::kUnterminatedQuote, 3, 2},
        FaultCase{"UnterminatedAfterADoubledQuote", "a\n\"x\"\"", CsvFault::kUnterminatedQuote, 2, 1},
        FaultCase{"UnterminatedOnTheThirdFieldLine", "a\n1,\n\"x", CsvFault::kUnterminatedQuote, 3, 2},
        FaultCase{"RecordTooLong", "a\n" + std::string(65, 'x') + "\nb\n", CsvFault::kRecordTooLong, 2, 1},
        FaultCase{"QuotedRecordTooLong", "a\n\"" + std::string(100, '\n') + "\"\n", CsvFault::kRecordTooLong, 2, 1},
        FaultCase{"TooLongWithoutEnd", "a\n" + std::string(1000, 'x'), CsvFault::kRecordTooLong, 2, 1},
        // A quoting fault inside a runaway record is the one worth telling.
        FaultCase{"QuoteFaultBeforeTheLimit", "a\nx\"" + std::string(100, 'y'), CsvFault::kQuoteInUnquotedField, 2,
                  1}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CsvReader, RecordAtTheLimitIsRead) {
  const std::string field(64, 'x');
  for (const std::string& text : {field + "\ny\n", field + "\r\ny\n", "y\n" + field, "y\n" + field + "\r"}) {
    const Reading reading(text, 3, {.bufferBytes = 8, .maxRecordBytes = 64});
    EXPECT_EQ(reading.records.size(), 2u) << text;
    EXPECT_EQ(reading.reader.fault(), CsvFault::kNone);
  }
}

TEST(CsvReader, FourMebibyteRecordByDefault) {
  const std::string field((size_t{4} << 20) - 2, 'x');
  EXPECT_EQ(Reading("\"" + field + "\"\n1\n", 1 << 16, {}).records.size(), 2u);
  const Reading tooLong("\"" + field + "x\"\n1\n", 1 << 16, {});
  EXPECT_EQ(tooLong.records.size(), 0u);
  EXPECT_EQ(tooLong.reader.fault(), CsvFault::kRecordTooLong);
}

TEST(CsvReader, ReportsAFailedRead) {
  StringSource source("a,b\n1,2\n3", 4, /*failAtEnd=*/true);
  CsvReader reader(source);
  EXPECT_TRUE(reader.Next());
  EXPECT_TRUE(reader.Next());
  EXPECT_FALSE(reader.Next());
  EXPECT_EQ(reader.fault(), CsvFault::kReadFailed);
  EXPECT_EQ(reader.readError(), EIO);
  EXPECT_EQ(reader.faultLine(), 3);
}

struct VerbatimCase {
  std::string record;
  bool verbatim;
};

void PrintTo(const VerbatimCase& c, std::ostream* os) { *os << c.record; }

class VerbatimTest : public ::testing::TestWithParam<VerbatimCase> {};

// A verbatim record is copied to the output as it stands, so it must be exactly what
// writing its fields with minimal quoting would give.
TEST_P(VerbatimTest, OnlyWhenRewritingGivesTheSameText) {
  StringSource source(GetParam().record + "\r\n");
  CsvReader reader(source);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.verbatim(), GetParam().verbatim);
  if (reader.verbatim()) {
    EXPECT_EQ(reader.text(), GetParam().record);
  }
}

INSTANTIATE_TEST_SUITE_P(Quoting, VerbatimTest,
                         ::testing::Values(VerbatimCase{"a,b,,1.5", true}, VerbatimCase{"\"Rao, Asha\",1", true},
                                           VerbatimCase{"\"two\nlines\",x", true},
                                           VerbatimCase{"\"needless\",1", false}, VerbatimCase{"\"\",1", false},
                                           VerbatimCase{"\"say \"\"hi\"\"\"", false},
                                           VerbatimCase{"lone\rcr,1", false},
                                           VerbatimCase{"0123456789abcdef\r,1", false}));

// Everything a reading shows: records with their lines, texts and verbatim marks, then the fault.
std::string Transcript(const std::string& text, size_t chunk, CsvLimits limits) {
  StringSource source(text, chunk);
  CsvReader reader(source, limits);
  std::string transcript;
  while (reader.Next()) {
    transcript += std::to_string(reader.line()) + (reader.verbatim() ? " v " : " - ");
    if (reader.verbatim()) transcript += "<" + std::string(reader.text()) + ">";
    for (std::string_view field : reader.fields()) transcript += "[" + std::string(field) + "]";
    transcript += '\n';
  }
  transcript += "fault " + std::to_string(static_cast<int>(reader.fault())) + " line " + std::to_string(reader.faultLine());
  return transcript;
}

// Reads of one byte leave no whole record in the buffer when a record begins, so every
// record takes the general route; large reads let most take the block-scanning one.
// Both must see the same records, lines, verbatim marks and faults.
TEST(CsvReader, BlockScanningAgreesWithTheGeneralRoute) {
  std::mt19937_64 random(20261210);
  const std::vector<std::string> pieces{"a", "bc", "12.50", "Rao", ",", ",", ",", "\"", "\"", "\"\"", "\n", "\r\n",
                                        "\r", " ", "x,y", std::string(40, 'z'), "\xE2\x82\xB9"};
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    for (size_t count = random() % 40; count > 0; --count) text += pieces[random() % pieces.size()];
    const CsvLimits limits{.bufferBytes = random() % 2 == 0 ? size_t{128} << 10 : size_t{64}};
    ASSERT_EQ(Transcript(text, 1 << 20, limits), Transcript(text, 1, limits)) << text;
  }
}

}  // namespace
}  // namespace varnolix::cli
