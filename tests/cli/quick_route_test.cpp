// The tool's quick route for a cell (plain digits read straight to a double, the annual
// echo from the bits) against the one way the program takes a field's text
// (AssessedAmount) with the cell's bare amount typed in, on the values where a shortcut
// would go wrong first: paise ties, 2^53 and beyond, many digits, echoes that round.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "assessment/assessment.h"
#include "cli/quick_amount.h"
#include "payroll/strict_amount.h"

namespace varnolix::cli {
namespace {

TEST(QuickRoute, TakesEveryCellAsTheProgramTakesItsBareAmountTyped) {
  const char* const cells[] = {
      "0",       "0.0",      "12345.67",         "0.005",           "0.015",           "1.005",
      "2.675",   "0.125",    "131072.125",       "7.0849999984",    "99999999999999.99", "750566175414.125",
      "9007199254740992", "9007199254740993", "90071992547409921", "123456789012345678", "0.000000000000000001",
      "00000000000000012.5", "62500.50", ".5", "5.", "1,00,000", "Rs. 12,345.67", "45,000/-",
      "0.09375", "10922.59375",  // twelve times is a paisa tie exactly: 1.125, 131071.125
  };
  for (const char* cell : cells) {
    // As the tool reads a cell: plain digits straight to a double, else by the grammar.
    std::string storage;
    const payroll::StrictAmount strict = payroll::ReadStrictAmount(cell, storage);
    ASSERT_TRUE(strict.ok) << cell;
    double value = 0;
    if (!ReadPlainAmount(cell, value)) value = strict.value;
    for (Field field : {Field::kBasic, Field::kRent}) {
      const double quick = Info(field).echoed ? QuickAnnualEchoValue(value) : value;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(quick), std::bit_cast<std::uint64_t>(AssessedAmount(field, strict.bare)))
          << cell << " as " << Info(field).column;
    }
  }
}

}  // namespace
}  // namespace varnolix::cli
