// The strict grammar of amounts as clerks write them: what it takes, the bare text a
// person would type, and the value, which must be what ReadAmount reads from the bare
// text.
#include "payroll/strict_amount.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>

#include "assessment/amount.h"

namespace varnolix::payroll {
namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

TEST(StrictAmount, AcceptsExactlyTheGrammar) {
  const std::string nines(400, '9');
  const std::pair<std::string, std::string> accepted[] = {
      {"", ""}, {"   ", ""}, {" \t", ""}, {"1500", "1500"}, {"0", "0"}, {"12.50", "12.50"}, {".5", ".5"},
      {"5.", "5."}, {"007", "007"}, {"  42\t", "42"}, {nines, nines},
      // Indian grouping.
      {"1,00,000.50", "100000.50"}, {"12,34,567", "1234567"}, {"1,000", "1000"}, {"10,000", "10000"},
      {"1,23,45,67,890", "1234567890"}, {"1,000.", "1000."},
      // International grouping.
      {"100,000.50", "100000.50"}, {"1,234,567", "1234567"}, {"999,999", "999999"},
      // Currency prefixes, any ASCII case, blanks around.
      {"Rs 500", "500"}, {"Rs500", "500"}, {"Rs. 500", "500"}, {"Rs.500", "500"}, {"rs.500", "500"},
      {"RS 1,00,000", "100000"}, {"INR 2,500.75", "2500.75"}, {"inr1", "1"}, {"\xE2\x82\xB9 750", "750"},
      {"\xE2\x82\xB9" "750", "750"}, {" \tRs.\t12 ", "12"}, {"Rs..5", ".5"}, {"Rs .5", ".5"},
      {"Rs 9,99,999." + nines, "999999." + nines},
      // A whole-rupee amount's ending.
      {"45,000/-", "45000"}, {"Rs. 45,000/-", "45000"}, {"45000 /- ", "45000"},
      // A spreadsheet's mark for text.
      {"'45000", "45000"}, {" ' Rs 1,000", "1000"}, {"'", ""}};
  for (const auto& [cell, bare] : accepted) {
    std::string storage;
    const StrictAmount amount = ReadStrictAmount(cell, storage);
    EXPECT_TRUE(amount.ok) << "'" << cell << "'";
    EXPECT_EQ(amount.bare, bare);
    EXPECT_EQ(Bits(amount.value), Bits(ReadAmount(bare))) << "'" << cell << "'";
  }
  for (const char* cell :
       {".", "1.2.3", "-5", "+5", "- 5", "1e5", "1E5", "2e", "abc", "12abc", "5 Rs", "1 000", "5 .5",
        // Grouping that follows neither pattern.
        "1,5", "1,00,0000", "123,45,678", "10,00", ",100", "100,", "1,,000", "1234,567", "1,00,000,000", "12,3456",
        "1,000.000,5", ".5,000", "1,0.5",
        // A prefix alone, twice, after the number, or one that is not ours.
        "Rs", "Rs.", " INR ", "\xE2\x82\xB9", "RsRs 5", "Rs 5 Rs", "$5", "USD 5", "R 5", "rs-5", "Rs,5",
        // The ending only once, only after whole rupees, and nothing else after a number.
        "45,000.50/-", "45000./-", "/-", "45000/-/-", "45000/", "45000-", "45000 /- x",
        // Blanks are spaces and tabs only.
        "5\n", "\n5", "5\r", "\xC2\xA0" "5", "5\xC2\xA0",
        // The mark only once, and only first.
        "''5", "5'", "Rs '5"}) {
    std::string storage;
    EXPECT_FALSE(ReadStrictAmount(cell, storage).ok) << "'" << cell << "'";
  }
}

// In a semicolon file, from a decimal-comma locale, a cell that reads one way with a
// point and another with a comma is never taken either way.
TEST(DecimalDoubt, RefusesWhatReadsTwoWaysAndTakesWhatReadsOne) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"45.000", "line 4, column 80d: '45.000' is 45 with a decimal point but 45000 with a decimal comma; write it "
                 "without separators between thousands"},
      {"1,234", "line 4, column 80d: '1,234' is 1234 with a decimal point but 1.234 with a decimal comma; write it "
                "without separators between thousands"},
      {"45,5", "line 4, column 80d: '45,5' is written the decimal-comma way; write it as 45.5"},
      {"Rs. 1.234,56", "line 4, column 80d: 'Rs. 1.234,56' is written the decimal-comma way; write it as 1234.56"},
      {"1.000.000", "line 4, column 80d: '1.000.000' is written the decimal-comma way; write it as 1000000"},
      // One reading only, or the same both ways.
      {"45000", std::nullopt}, {"45.5", std::nullopt}, {"0.50", std::nullopt}, {"1,00,000", std::nullopt},
      {"12,000.50", std::nullopt}, {"Rs. 500", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}};
  for (const auto& [cell, doubt] : cases) {
    std::string storage;
    EXPECT_EQ(DecimalDoubt(cell, ReadStrictAmount(cell, storage), 4, "80d"), doubt) << cell;
  }
}

// A pasted text goes into a field as its plain number only when the whole of it is an
// amount; any other text goes in as it is.
TEST(PlainAmount, IsTheBareNumberOfAWholeAmountOnly) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"1,00,000", "100000"}, {"\xE2\x82\xB9 12,000.50", "12000.50"}, {"Rs 45,000/-", "45000"}, {" 500 ", "500"},
      {"-5", std::nullopt},   {"12abc", std::nullopt},            {"1e3", std::nullopt},    {"1,0,0", std::nullopt},
      {"  ", std::nullopt},   {"", std::nullopt}};
  for (const auto& [text, plain] : cases) EXPECT_EQ(PlainAmount(text), plain) << text;
}

}  // namespace
}  // namespace varnolix::payroll
