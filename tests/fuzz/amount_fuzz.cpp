// The amount reader and writer of the assessment, and the batch tool's quick routes to
// what they give. The input is read as amount text, and its first eight bytes also as a
// double, so that every double (NaN, infinities, subnormals) gets written.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "assessment/amount.h"
#include "cli/quick_amount.h"
#include "tests/fuzz/property.h"

namespace varnolix::fuzz {
namespace {

constexpr double kTwoTo53 = 9007199254740992.0;

void CheckWriting(double value) {
  const std::string written = WriteAmount(value);
  Require(written == WriteAmount(value), "WriteAmount gives the same text twice");
  Require(!written.empty() && written.size() <= kMaxAmountChars, "WriteAmount fits kMaxAmountChars");
  if (std::isfinite(value)) {
    Require(WriteAmount(ReadAmount(written)) == written, "a written amount reads back to the same cents");
  }
  cli::QuickAmountRoom room;
  const std::string_view quick = cli::QuickAmountText(value, room);
  Require(quick.empty() == !(std::fabs(value) < kTwoTo53), "QuickAmountText writes every magnitude below 2^53");
  if (!quick.empty()) Require(quick == written, "QuickAmountText agrees with WriteAmount");
  Require(SameDouble(cli::QuickAnnualEchoValue(value), AnnualEchoValue(value)),
          "QuickAnnualEchoValue agrees with AnnualEchoValue");
}

// Where the C library reads the same grammar (decimal only: it would also take "inf",
// "nan" and hexadecimal), it must read the same double.
void CheckAgainstStrtod(const std::string& text, double value) {
  size_t i = text.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string::npos) return;
  if (text[i] == '+' || text[i] == '-') ++i;
  if (i >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) return;
  if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) return;
  const double expected = std::strtod(text.c_str(), nullptr);
  Require(SameDouble(value, expected), "ReadAmount agrees with strtod on decimal text");
}

}  // namespace
}  // namespace varnolix::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_ALL, "C");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnolix;
  using namespace varnolix::fuzz;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = ReadAmount(text);
  Require(SameDouble(value, ReadAmount(text)), "ReadAmount reads the same text the same way twice");
  Require(!std::isnan(value), "ReadAmount never gives NaN");
  for (const bool monthly : {false, true}) {
    Require(IsZeroNegativeOrTooLarge(text, monthly) == IsZeroNegativeOrTooLarge(value, monthly),
            "IsZeroNegativeOrTooLarge of a text is of its value");
  }
  Require(!IsTooLargeToHold(value, true) || std::isinf(AnnualEchoValue(value)),
          "a salary too large to hold is never echoed as a finite amount");
  Require(AnnualEcho(text) == WriteAmount(value * 12), "AnnualEcho is the value times 12, written");
  if (text.find('\0') == std::string::npos) CheckAgainstStrtod(text, value);
  CheckWriting(value);
  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    CheckWriting(raw);
  }
  return 0;
}
