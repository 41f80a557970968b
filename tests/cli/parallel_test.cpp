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

class RandomInput {
 public:
  explicit RandomInput(std::uint64_t seed) : m_random(seed) {}
  bool Chance(int percent) { return static_cast<int>(m_random() % 100) < percent; }
  size_t Below(size_t limit) { return static_cast<size_t>(m_random() % limit); }

  // A header with basic_pm and some other columns, then rows of cells of every kind: some
  // rows short or long, some lines empty, and at most one cell that breaks the quoting.
  std::string Make(size_t rows) {
    std::vector<std::string> header{"basic_pm"};
    for (const char* column : {"allowances1_pm", "rent_pm", "hra_received_pm", "80d", "ppf", "lta_annual", "id", "name"}) {
      if (Chance(70)) header.emplace_back(column);
    }
    std::shuffle(header.begin(), header.end(), m_random);
    const std::string lineEnd = Chance(30) ? "\r\n" : "\n";
    std::string text = Chance(10) ? "\xEF\xBB\xBF" : "";
    for (size_t i = 0; i < header.size(); ++i) text += (i > 0 ? "," : "") + header[i];
    text += lineEnd;
    static const std::string kCells[] = {
        "", "", "12000", "25000.50", "\"1,00,000\"", "Rs. 5000", "0", "abc", "-5", "\"Rao, Asha\"",
        "\"say \"\"hi\"\"\"", "\"two\nlines\"", "Meera", "1e999", "\"\"", "12,000", "7\r8"};
    const size_t brokenRow = Chance(40) ? Below(rows + 1) : rows;
    for (size_t row = 0; row < rows; ++row) {
      if (Chance(2)) text += lineEnd;
      const size_t fields = header.size() + (Chance(3) ? (Chance(50) ? 1 : static_cast<size_t>(-1)) : 0);
      for (size_t i = 0; i < fields; ++i) {
        if (i > 0) text += ',';
        text += row == brokenRow && i + 1 == fields ? (Chance(50) ? "x\"y" : "\"a\"b") : kCells[Below(std::size(kCells))];
      }
      text += lineEnd;
    }
    if (Chance(5)) text += "E9,\"open";  // unterminated at the end
    if (Chance(20) && !text.empty()) text.pop_back();  // no final line break
    return text;
  }

 private:
  std::mt19937_64 m_random;
};

struct Outcome {
  int status;
  std::string out, diagnostics;
};

TEST(Threads, GiveTheSameOutputAsOneReader) {
  RandomInput random(20261212);
  for (int i = 0; i < 600; ++i) {
    const size_t rows = random.Chance(5) ? 3000 + random.Below(2000) : random.Below(60);  // some pass 64 KiB of output
    const std::string input = random.Make(rows);
    const Options options{.lenient = random.Chance(30)};
    const size_t readChunk = random.Chance(50) ? 1 + random.Below(300) : size_t{1} << 20;
    const bool readFails = random.Chance(15);
    const size_t sinkCapacity = random.Chance(25) ? random.Below(2 * input.size() + 1) : std::string::npos;
    auto assess = [&](const Parallelism& parallelism) {
      testing::StringSource in(input, readChunk, readFails);
      testing::StringSink out(sinkCapacity);
      Outcome outcome;
      outcome.status = AssessStream(options, in, out, {}, outcome.diagnostics, parallelism);
      outcome.out = out.text;
      return outcome;
    };
    const Outcome one = assess({.threads = 1});
    const Outcome many = assess({.threads = 2 + static_cast<unsigned>(random.Below(3)),
                                 .chunkBytes = random.Chance(50) ? 1 + random.Below(400) : 1 + random.Below(40000)});
    ASSERT_EQ(many.status, one.status) << input;
    ASSERT_EQ(many.diagnostics, one.diagnostics) << input;
    ASSERT_EQ(many.out, one.out) << input;
  }
}

}  // namespace
}  // namespace varnolix::cli
