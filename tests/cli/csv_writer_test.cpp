#include "cli/csv_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/cli/string_streams.h"

namespace varnolix::cli {
namespace {

using testing::StringSink;

struct QuotingCase {
  std::string_view field;
  std::string_view written;
};

void PrintTo(const QuotingCase& c, std::ostream* os) { *os << c.written; }

class CsvQuotingTest : public ::testing::TestWithParam<QuotingCase> {};

TEST_P(CsvQuotingTest, QuotesOnlyWhereNeeded) {
  StringSink sink;
  OutputBuffer out(sink, 4);  // smaller than most fields, so they pass the buffer by
  CsvWriter writer(out);
  writer.Field(GetParam().field);
  writer.Field("z");
  writer.EndRecord();
  ASSERT_TRUE(out.Flush());
  EXPECT_EQ(sink.text, std::string(GetParam().written) + ",z\n");
  std::string appended;
  AppendCsvField(appended, GetParam().field);
  EXPECT_EQ(appended, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvQuotingTest,
    ::testing::Values(QuotingCase{"", ""}, QuotingCase{"plain text", "plain text"},
                      QuotingCase{" blanks ", " blanks "}, QuotingCase{"Rao, Asha", "\"Rao, Asha\""},
                      QuotingCase{"say \"hi\"", "\"say \"\"hi\"\"\""}, QuotingCase{"\"", "\"\"\"\""},
                      QuotingCase{"two\nlines", "\"two\nlines\""}, QuotingCase{"cr\r", "\"cr\r\""},
                      QuotingCase{"\xE2\x82\xB9 5", "\xE2\x82\xB9 5"}));

TEST(OutputBuffer, KeepsTheFirstWriteErrorAndDropsTheRest) {
  StringSink sink(10);
  OutputBuffer out(sink, 8);
  out.Append("12345678");
  out.Append("abc");  // flushes the first eight
  EXPECT_FALSE(out.failed());
  out.Append("defghijkl");  // would pass ten bytes
  EXPECT_TRUE(out.failed());
  EXPECT_EQ(out.error(), ENOSPC);
  out.Append("more");
  EXPECT_FALSE(out.Flush());
  EXPECT_EQ(sink.text, "12345678");
}

TEST(OutputBuffer, FlushReportsAFailureAtTheEnd) {
  StringSink sink(3);
  OutputBuffer out(sink);
  out.Append("four");
  EXPECT_FALSE(out.failed());  // still buffered
  EXPECT_FALSE(out.Flush());
  EXPECT_EQ(out.error(), ENOSPC);
}

}  // namespace
}  // namespace varnolix::cli
