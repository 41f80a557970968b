// Threads change nothing but speed: the same rows, errors, faults and messages as a
// single reader, however the input is cut into chunks and however reads and writes fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "cli/tool.h"
#include "tests/cli/string_streams.h"

namespace varnolix::cli {
namespace {

using testing::StringSink;
using testing::StringSource;

struct Outcome {
  int status;
  std::string out;
  std::string diagnostics;
};

struct Setting {
  Options options;
  size_t readChunk;
  bool failAtEnd;
  size_t sinkCapacity;
};

Outcome Assess(const std::string& input, const Setting& setting, const Parallelism& parallelism) {
  StringSource in(input, setting.readChunk, setting.failAtEnd);
  StringSink out(setting.sinkCapacity);
  Outcome run;
  run.status = AssessStream(setting.options, in, out, {}, run.diagnostics, parallelism);
  run.out = out.text;
  return run;
}

class RandomInput {
 public:
  explicit RandomInput(std::uint64_t seed) : random_(seed) {}

  std::string Make(size_t rows) {
    static const std::vector<std::string> kColumns{"basic_pm", "allowances1_pm", "rent_pm", "hra_received_pm",
                                                   "80d", "ppf", "lta_annual", "id", "name"};
    std::vector<std::string> header{"basic_pm"};
    for (size_t i = 1; i < kColumns.size(); ++i) {
      if (Chance(70)) header.push_back(kColumns[i]);
    }
    std::shuffle(header.begin(), header.end(), random_);
    std::string text = Chance(10) ? "\xEF\xBB\xBF" : "";
    const std::string lineEnd = Chance(30) ? "\r\n" : "\n";
    for (size_t i = 0; i < header.size(); ++i) text += (i > 0 ? "," : "") + header[i];
    text += lineEnd;
    // At most one record breaks the quoting, anywhere, which ends the run there.
    const size_t brokenRow = Chance(40) ? Below(rows + 1) : rows;
    for (size_t row = 0; row < rows; ++row) {
      if (Chance(2)) text += lineEnd;  // an empty line
      size_t fields = header.size();
      if (Chance(3)) fields += Chance(50) ? 1 : static_cast<size_t>(-1);
      for (size_t i = 0; i < fields; ++i) {
        if (i > 0) text += ',';
        text += row == brokenRow && i + 1 == fields ? BrokenCell() : Cell();
      }
      text += lineEnd;
    }
    if (Chance(5)) text += "E9,\"open";  // unterminated at the end
    if (Chance(20) && !text.empty()) text.pop_back();  // no final line break
    return text;
  }

  bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }
  size_t Below(size_t limit) { return static_cast<size_t>(random_() % limit); }

 private:
  std::string Cell() {
    static const std::vector<std::string> kCells{
        "", "", "12000", "25000.50", "\"1,00,000\"", "Rs. 5000", "0", "abc", "-5", "\"Rao, Asha\"",
        "\"say \"\"hi\"\"\"", "\"two\nlines\"", "Meera", "1e999", "\"\"", "12,000", "7\r8"};
    return kCells[Below(kCells.size())];
  }
  std::string BrokenCell() {
    static const std::vector<std::string> kCells{"x\"y", "\"a\"b"};
    return kCells[Below(kCells.size())];
  }

  std::mt19937_64 random_;
};

TEST(Threads, GiveTheSameOutputAsOneReader) {
  RandomInput random(20261212);
  for (int i = 0; i < 600; ++i) {
    const size_t rows = random.Chance(5) ? 3000 + random.Below(2000) : random.Below(60);  // some pass 64 KiB of output
    const std::string input = random.Make(rows);
    Setting setting{.options = {.lenient = random.Chance(30)},
                    .readChunk = random.Chance(50) ? 1 + random.Below(300) : size_t{1} << 20,
                    .failAtEnd = random.Chance(15),
                    .sinkCapacity = random.Chance(25) ? random.Below(2 * input.size() + 1) : std::string::npos};
    const Outcome one = Assess(input, setting, {.threads = 1});
    const Parallelism parallelism{.threads = 2 + static_cast<unsigned>(random.Below(3)),
                                  .chunkBytes = random.Chance(50) ? 1 + random.Below(400) : 1 + random.Below(40000)};
    const Outcome many = Assess(input, setting, parallelism);
    ASSERT_EQ(many.status, one.status) << input;
    ASSERT_EQ(many.diagnostics, one.diagnostics) << input;
    ASSERT_EQ(many.out, one.out) << input;
  }
}

}  // namespace
}  // namespace varnolix::cli
