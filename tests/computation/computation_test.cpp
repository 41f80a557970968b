// The computation of what a person types: exact arithmetic on written figures, and each
// rendering against its golden file, which shows every line of the working a practitioner
// checks (nil and why, the caps, the figures single precision moves, each figure to the
// paisa). After a deliberate change, regenerate the golden files with
//   VARNOLIX_REGENERATE_GOLDEN=1 build/dev/tests/computation/computation_tests --gtest_filter='Golden.*'
// and read the difference before keeping it.
#include "computation/computation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "assessment/amount.h"
#include "computation/render.h"
#include "tests/assessment/typed.h"
#include "tests/shared/files.h"

namespace varnolix::test {
namespace {

Computation Of(std::string_view row) {
  const TypedRow typed = Typed(row);
  const PagesShown shown{typed.input.standardDeductionShown, typed.input.section80Shown, typed.input.section88Shown};
  return ComputationOf({}, {}, typed.texts, shown);
}

TEST(Exact, WorksOnWrittenFiguresAndRoundsHalvesAwayFromZero) {
  const Exact twelve = Exact::OfText("12");
  const struct {
    const char* name;
    Exact value;
    const char* text;  // empty: unknown
  } cases[] = {
      {"monthly times 12", Exact::OfText("12345.67") * twelve, "1,48,148.04"},
      {"written as held", Exact::Written(148148.046875), "1,48,148.05"},
      {"a half paisa up", Exact::OfText("0.125"), "0.13"},
      {"a half paisa down", Exact::OfText("-0.125"), "-0.13"},
      {"a difference", Exact::OfText("10900") - Exact::OfText("70000"), "-59,100.00"},
      {"the less", Min(Exact::OfText("65000"), Exact::OfText("60000")), "60,000.00"},
      {"the greater", Max(Exact::OfText("-8800"), Exact::OfText("-23700")), "-8,800.00"},
      {"crores", Exact::OfText("999999999999999999999999999999") * twelve, "1,19,99,99,99,99,99,99,99,99,99,99,99,99,99,988.00"},
      {"beyond the range", Exact::OfText("9999999999999999999999999999999999999"), ""},
      {"a product beyond it", Exact::OfText("999999999999999999999999999999999999") * twelve, ""},
      {"an exponent", Exact::OfText("1e5"), ""},
      {"two points", Exact::OfText("1.2.3"), ""},
      {"nothing", Exact::OfText(""), ""},
      {"not finite", Exact::Written(1.0 / 0.0), ""},
      {"from an unknown", Exact::OfText("x") + Exact::OfText("1"), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.Text(), c.text) << c.name;
}

// A figure is flagged only when more than half a paisa from the exact value: a tie
// written either way is fair.
TEST(Exact, DiffersOnlyBeyondHalfAPaisa) {
  EXPECT_TRUE(Exact::OfText("148148.04").DiffersFrom(148148.046875));
  EXPECT_FALSE(Exact::OfText("0.125").DiffersFrom(0.125));  // written 0.12
  EXPECT_TRUE(Exact::OfText("0.1251").DiffersFrom(0.125));
  EXPECT_FALSE(Exact::OfText("1").DiffersFrom(1.0 / 0.0));
  EXPECT_FALSE(Exact::OfText("x").DiffersFrom(1));
}

// The rows of the golden files: every tier, cap and edge. Each line of a working is
// checked here, its figure, its words and whether it is there at all.
const struct {
  const char* name;
  const char* row;
} kGoldenRows[] = {
    {"every page, caps met", "25000,5000,1000,10000,8000,10000,2500,20000,18000,30000,5000,50000,0,30000,20000,15000,0,0,15000"},
    {"only the Income page", "10000,2000,,,5000,4000"},
    {"low income: nil", "3000,,,,,1000"},
    {"paise: single precision shows", "12345.67"},
    {"crores", "12345678.91,,,,,,,,,,,,,,,,,,"},
    {"Section 88 beyond the tax", "9810.61,,,,,,,,,,,,,60000,,,,,10000"},
    {"Gross Salary narrowed to the tier's edge", "40000,,,20000.01"},
    {"Section 80 page never shown", "25000,,,,,,2500"},
    {"paise and caps", "62500.50,10000,,20000,18000,20000,2500,5000,15000,25000,,,,48000,8000,,12000"},
    {"pasted texts", "10000,,,1e5,,,,,12abc"},
    {"too large to hold", "10000,,,,,,,1e999"},
    {"negative profession tax", "5000,,,,,,-30000"},
    {"Section 88 amounts over their cap", "25000,,,,,,,,,,,,,30000,30000,5000,,,5000"},
    {"80L beyond single precision", "25000,,,,,,,703319741295636"},
    {"a Section 88 amount alone: no sum", "10000,,,,,,,,,,,,,,,,,,5000"},
};

void CheckGolden(const std::string& name, const std::string& rendered) {
  const std::string path = std::string(VARNOLIX_COMPUTATION_GOLDEN_DIR "/") + name;
  if (std::getenv("VARNOLIX_REGENERATE_GOLDEN") != nullptr) test::Write(path, rendered);
  EXPECT_EQ(rendered, test::Read(path)) << name;
}

// The results are the assessment's own.
TEST(Golden, WorkingText) {
  std::string text;
  for (const auto& [name, row] : kGoldenRows) {
    const Computation c = Of(row);
    EXPECT_EQ(c.results, ResultAmountsOf(Assess(Typed(row).input))) << name;
    text += "== " + std::string(name) + ": " + row + "\n" + WorkingText(c) + "\n";
  }
  CheckGolden("working.txt", text);
}

TEST(Golden, ResultTips) {
  std::string text;
  for (const auto& [name, row] : kGoldenRows) {
    const Computation c = Of(row);
    for (Result result : kResultsAsShown) text += "== " + std::string(name) + "\n" + ResultTip(c, result) + "\n";
  }
  CheckGolden("tips.txt", text);
}

}  // namespace
}  // namespace varnolix::test
