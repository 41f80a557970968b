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
    const char separator = reader.dialect().separator;
    for (size_t i = 0; i < reader.size(); ++i) {
      transcript += "[" + std::string(reader[i]) + "]";
      if (i > 0) rewritten += separator;
      AppendCsvField(rewritten, reader[i], separator);
    }
    if (reader.verbatim()) {
      EXPECT_EQ(reader.text(), rewritten);
    }
    transcript += '\n';
  }
  static const char* const kFaults[] = {"",           "text after closing quote", "unterminated quote",
                                        "record too long", "read failed",        "zip spreadsheet",
                                        "old spreadsheet", "binary file"};
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
      // A quote inside a field that does not start with one is a plain character.
      {"QuoteInsideUnquotedField", "a,b\n1,x\"y\",2\n", "1=[a][b]\n2:[1][x\"y\"][2]\n"},
      {"StrayQuotesSwallowNoLineBreak", "a\n5 ft 10\" tall\nb\nc\"\n", "1=[a]\n2:[5 ft 10\" tall]\n3=[b]\n4:[c\"]\n"},
      {"QuotedFieldAfterAStrayQuote", "a\"b,\"c,\nd\"\n", "1:[a\"b][c,\nd]\n"},
      {"SeparatorsAndLineEndsFromTheHeader", "a;b\n1,5;\"x;y\"\n", "1=[a][b]\n2=[1,5][x;y]\n"},
      {"Tabs", "a\tb\nRao, Asha\t\"x\ty\"\n", "1=[a][b]\n2=[Rao, Asha][x\ty]\n"},
      {"CommasWinOverSemicolons", "a,b;c\n1,2;3\n", "1=[a][b;c]\n2=[1][2;3]\n"},
      {"SeparatorsInsideQuotesDoNotCount", "\"a,b\";c\n1;2\n", "1:[a,b][c]\n2=[1][2]\n"},
      {"BareCrLineEnds", "a,b\r1,2\r\r\"x\ry\",3\r4,5", "1=[a][b]\n2=[1][2]\n4=[x\ry][3]\n6=[4][5]\n"},
      // A lone CR in a file of LF lines is data, even in the header.
      {"LineFeedsInSightWin", "a\rb\nc\r", "1:[a\rb]\n2=[c]\n"},
      {"Utf16LittleEndian", std::string("\xFF\xFE" "a\0,\0\xB9\x20\n\0" "1\0,\0\x3D\xD8\x00\xDE\n\0", 20),
       "1=[a][\xE2\x82\xB9]\n2=[1][\xF0\x9F\x98\x80]\n"},
      {"Utf16BigEndianWithBrokenSurrogates", std::string("\xFE\xFF\0a\0;\xD8\x3D\0b\0\n\xDE\x00\x20", 15),
       "1=[a][\xEF\xBF\xBD" "b]\n2=[\xEF\xBF\xBD\xEF\xBF\xBD]\n"},
      {"ZipSpreadsheet", "PK\x03\x04\x14\0\x06\0", "zip spreadsheet on line 1"},
      {"OldSpreadsheet", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", "old spreadsheet on line 1"},
      {"NulInTheFirstBytes", std::string("a,b\n1,\0\n", 8), "binary file on line 1"},
      {"TextAfterClosingQuote", "a,b\n\"x\"y,2\n", "1=[a][b]\ntext after closing quote on line 2"},
      {"TextAfterQuoteOnALaterLine", "a\n\"x\ny\"z\n", "1=[a]\ntext after closing quote on line 3"},
      {"UnterminatedAtEnd", "a\nb\n\"open\n\nmore", "1=[a]\n2=[b]\nunterminated quote on line 3"},
      {"RecordTooLong", "a\n" + limit + "x\nb\n", "1=[a]\nrecord too long on line 2"},
      {"HeaderTooLong", limit + "x\r", "record too long on line 1"},
      {"QuotedRecordTooLong", "a\n\"" + std::string(100, '\n') + "\"\n", "1=[a]\nrecord too long on line 2"},
      // A quoting fault inside a runaway record is the one worth telling.
      {"QuoteFaultBeforeTheLimit", "a\n\"x\"" + std::string(100, 'y'), "1=[a]\ntext after closing quote on line 2"},
      // Only the limit and one byte more are looked at, whatever was read beyond them.
      {"QuoteFaultInTheLastByteLookedAt", "a\n\"" + limit.substr(2) + "\"" + std::string(100, 'y') + "\n",
       "1=[a]\ntext after closing quote on line 2"},
      {"QuoteFaultPastTheLimit", "a\n\"" + limit + "\"" + std::string(100, 'y') + "\n", "1=[a]\nrecord too long on line 2"},
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

// Only the first bytes say whether a file is text: a NUL far on is a cell's odd byte.
TEST(CsvReader, TellsBinaryDataByItsFirstBytes) {
  const std::string text(kSniffedBytes - 1, 'x');
  EXPECT_EQ(SniffNotText(text + '\0'), CsvFault::kBinaryFile);
  EXPECT_EQ(SniffNotText(text + "x" + '\0'), CsvFault::kNone);
  EXPECT_EQ(SniffNotText("PK\x03"), CsvFault::kNone);
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
