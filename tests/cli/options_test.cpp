#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnolix::cli {
namespace {

struct OptionsCase {
  std::vector<std::string_view> args;
  Options expected;
};

void PrintTo(const OptionsCase& c, std::ostream* os) {
  for (std::string_view arg : c.args) *os << arg << ' ';
}

class OptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsTest, Parses) {
  const ParsedOptions parsed = ParseOptions(GetParam().args);
  ASSERT_EQ(parsed.error, "");
  const Options& o = parsed.options;
  const Options& e = GetParam().expected;
  EXPECT_EQ(o.lenient, e.lenient);
  EXPECT_EQ(o.explain, e.explain);
  EXPECT_EQ(o.help, e.help);
  EXPECT_EQ(o.version, e.version);
  EXPECT_EQ(o.input, e.input);
  EXPECT_EQ(o.output, e.output);
  EXPECT_EQ(o.threads, e.threads);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, OptionsTest,
    ::testing::Values(OptionsCase{{}, {}}, OptionsCase{{"in.csv"}, {.input = "in.csv"}},
                      OptionsCase{{"-"}, {}}, OptionsCase{{"-o", "-"}, {}},
                      OptionsCase{{"--lenient", "--explain", "-o", "out.csv", "in.csv"},
                                  {.lenient = true, .explain = true, .input = "in.csv", .output = "out.csv"}},
                      OptionsCase{{"in.csv", "-oout.csv"}, {.input = "in.csv", .output = "out.csv"}},
                      OptionsCase{{"--output=out.csv"}, {.output = "out.csv"}},
                      OptionsCase{{"--output", "out.csv"}, {.output = "out.csv"}},
                      OptionsCase{{"--", "-o"}, {.input = "-o"}}, OptionsCase{{"--help"}, {.help = true}},
                      OptionsCase{{"-h", "x"}, {.help = true, .input = "x"}},
                      OptionsCase{{"--version"}, {.version = true}},
                      OptionsCase{{"--threads", "3", "in.csv"}, {.input = "in.csv", .threads = 3}},
                      OptionsCase{{"--threads=1"}, {.threads = 1}}, OptionsCase{{"--threads=1024"}, {.threads = 1024}}));

struct RefusedCase {
  std::vector<std::string_view> args;
  std::string_view error;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.error; }

class RefusedOptionsTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedOptionsTest, SaysWhy) { EXPECT_EQ(ParseOptions(GetParam().args).error, GetParam().error); }

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RefusedOptionsTest,
    ::testing::Values(RefusedCase{{"--strict"}, "unknown option '--strict'"},
                      RefusedCase{{"-x"}, "unknown option '-x'"},
                      RefusedCase{{"-o"}, "option '-o' needs a file name"},
                      RefusedCase{{"a.csv", "b.csv"}, "only one input file, please (a second: 'b.csv')"},
                      RefusedCase{{"-o", "a", "-o", "b"}, "only one output file, please"},
                      RefusedCase{{"--output="}, "the output file name is empty"},
                      RefusedCase{{""}, "the input file name is empty"},
                      RefusedCase{{"--threads"}, "option '--threads' needs a number"},
                      RefusedCase{{"--threads=0"}, "the number of threads must be from 1 to 1024 (not '0')"},
                      RefusedCase{{"--threads", "1025"}, "the number of threads must be from 1 to 1024 (not '1025')"},
                      RefusedCase{{"--threads=two"}, "the number of threads must be from 1 to 1024 (not 'two')"},
                      RefusedCase{{"--threads="}, "the number of threads must be from 1 to 1024 (not '')"},
                      RefusedCase{{"--threads-4"}, "unknown option '--threads-4'"}));

TEST(HelpText, ListsEveryColumnAndExitStatus) {
  const std::string help = HelpText();
  for (std::string_view column : {"basic_pm", "hra_received_pm", "80ddb", "infrastructure_bond"}) {
    EXPECT_NE(help.find(column), std::string::npos) << column;
  }
  for (std::string_view status : {"  0 ", "  1 ", "  2 "}) EXPECT_NE(help.find(status), std::string::npos);
}

}  // namespace
}  // namespace varnolix::cli
