// CSV in and out: records, their line numbers and verbatim marks, each way quoting can
// break, and fields quoted only where they must be.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payroll/csv_reader.h"
#include "payroll/csv_writer.h"
#include "tests/payroll/string_streams.h"

namespace varnolix::payroll {
namespace {

// Everything a reading shows: each record's line, '=' when it is verbatim (else ':') and
// its fields in brackets; then the fault and its line. A verbatim record is copied to the
// output as it stands, so it must be exactly what writing its fields back gives.
std::string Transcript(const std::string& text, size_t chunk, CsvLimits limits) {
  testing::StringSource source(text, chunk);
  CsvReader reader(source, limits);
  std::string transcript;
  while (reader.Next()) {
    transcript += std::to_string(reader.line()) + (reader.verbatim() ? "=" : ":");
    std::string rewritten;
    for (size_t i = 0; i < reader.size(); ++i) {
      transcript += "[" + std::string(reader[i]) + "]";
      if (i > 0) rewritten += ',';
      AppendCsvField(rewritten, reader[i]);
    }
    if (reader.verbatim()) {
      EXPECT_EQ(reader.text(), rewritten);
    }
    transcript += '\n';
  }
  static const char* const kFaults[] = {"", "quote in unquoted field", "text after closing quote",
                                        "unterminated quote", "record too long", "read failed"};
  if (reader.fault() == CsvFault::kNone) return transcript;
  EXPECT_FALSE(reader.Next()) << "read on after a fault";
  return transcript + kFaults[static_cast<int>(reader.fault())] + " on line " + std::to_string(reader.faultLine());
}

// The same records and faults whatever the sizes of the reads and of the buffer, so
// records that straddle a refill or outgrow the buffer come out whole.
TEST(CsvReader, ReadsRecordsAndFaultsWhateverTheReadsAndTheBuffer) {
  const std::string limit(64, 'x');  // the record limit of this test
  const struct {
    const char* name;
    std::string text;
    std::string transcript;
  } cases[] = {
      {"Empty", "", ""},
      {"Plain", "a,b,c\n1,2,3\n", "1=[a][b][c]\n2=[1][2][3]\n"},
      {"NoFinalLineBreak", "a,b\n1,2", "1=[a][b]\n2=[1][2]\n"},
      {"EmptyFields", ",a,,\n", "1=[][a][][]\n"},
      {"QuotedComma", "\"Rao, Asha\",1\n", "1=[Rao, Asha][1]\n"},
      {"DoubledQuotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", "1:[say \"hi\"][\"]\n"},
      {"NeedlessQuotes", "\"needless\",1\n\"\",x\n", "1:[needless][1]\n2:[][x]\n"},
      {"CrLfEndings", "a,b\r\n1,2\r\n", "1=[a][b]\n2=[1][2]\n"},
      {"CrAtTheVeryEnd", "a,b\r\n1,2\r", "1=[a][b]\n2=[1][2]\n"},
      {"LoneCrIsData", "a\rb,c\n0123456789abcdef\r,1\n", "1:[a\rb][c]\n2:[0123456789abcdef\r][1]\n"},
      {"ByteOrderMark", "\xEF\xBB\xBF" "a,b\n1,2\n", "1=[a][b]\n2=[1][2]\n"},
      {"ByteOrderMarkOnlyAtTheStart", "a\n\xEF\xBB\xBF" "b\n", "1=[a]\n2=[\xEF\xBB\xBF" "b]\n"},
      {"EmptyLinesAreNoRecords", "\na\n\n\r\nb\n\n", "2=[a]\n5=[b]\n"},
      {"BlankLineIsARecord", "a\n \n", "1=[a]\n2=[ ]\n"},
      {"QuotedLineBreaksCountAsLines", "\"x\ny\",1\n\"p\r\nq\n\",2\nz,3\n", "1=[x\ny][1]\n3=[p\r\nq\n][2]\n6=[z][3]\n"},
      {"RecordsAtTheLimit", limit + "\r\n" + limit + "\n" + limit, "1=[" + limit + "]\n2=[" + limit + "]\n3=[" + limit + "]\n"},
      {"QuoteInsideUnquotedField", "a,b\n1,x\"y\",2\n", "1=[a][b]\nquote in unquoted field on line 2"},
      // The stray quote swallows the next line break, yet the fault names its own line.
      {"StrayQuoteReadsOn", "a\nx\"\nb\nc\"\n", "1=[a]\nquote in unquoted field on line 2"},
      {"TextAfterClosingQuote", "a,b\n\"x\"y,2\n", "1=[a][b]\ntext after closing quote on line 2"},
      {"TextAfterQuoteOnALaterLine", "a\n\"x\ny\"z\n", "1=[a]\ntext after closing quote on line 3"},
      {"UnterminatedAtEnd", "a\nb\n\"open\n\nmore", "1=[a]\n2=[b]\nunterminated quote on line 3"},
      {"RecordTooLong", "a\n" + limit + "x\nb\n", "1=[a]\nrecord too long on line 2"},
      {"QuotedRecordTooLong", "a\n\"" + std::string(100, '\n') + "\"\n", "1=[a]\nrecord too long on line 2"},
      // A quoting fault inside a runaway record is the one worth telling.
      {"QuoteFaultBeforeTheLimit", "a\nx\"" + std::string(100, 'y'), "1=[a]\nquote in unquoted field on line 2"},
      // Only the limit and one byte more are looked at, whatever was read beyond them.
      {"QuoteFaultInTheLastByteLookedAt", "a\n" + limit + "\"" + std::string(100, 'y') + "\n",
       "1=[a]\nquote in unquoted field on line 2"},
      {"QuoteFaultPastTheLimit", "a\n" + limit + "y\"" + std::string(100, 'y') + "\n", "1=[a]\nrecord too long on line 2"},
  };
  for (const auto& c : cases) {
    for (size_t chunk : {1u, 2u, 3u, 7u, 1u << 20}) {
      for (size_t buffer : {1u, 8u, 128u << 10}) {
        EXPECT_EQ(Transcript(c.text, chunk, {.bufferBytes = buffer, .maxRecordBytes = 64}), c.transcript)
            << c.name << ", reads of " << chunk << ", buffer of " << buffer;
      }
    }
  }
}

// Written through a buffer smaller than most fields, so they pass it by, or appended.
TEST(CsvWriter, QuotesOnlyWhereNeeded) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {" blanks ", " blanks "}, {"Rao, Asha", "\"Rao, Asha\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"cr\r", "\"cr\r\""}};
  for (const auto& [field, written] : cases) {
    testing::StringSink sink;
    OutputBuffer out(sink, 4);
    CsvWriter writer(out);
    writer.Field(field);
    writer.Field("z");
    writer.EndRecord();
    ASSERT_TRUE(out.Flush());
    EXPECT_EQ(sink.text, std::string(written) + ",z\n");
    std::string appended;
    AppendCsvField(appended, field);
    EXPECT_EQ(appended, written);
  }
}

}  // namespace
}  // namespace varnolix::payroll
