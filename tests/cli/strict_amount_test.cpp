#include "cli/strict_amount.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace varnolix::cli {
namespace {

struct Accepted {
  std::string_view cell;
  std::string_view bare;  // what the person would type
};

void PrintTo(const Accepted& c, std::ostream* os) { *os << "'" << c.cell << "'"; }

class AcceptedAmount : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedAmount, GivesTheBareDigitsAndPoint) {
  std::string storage;
  const StrictAmount amount = ParseStrictAmount(GetParam().cell, storage);
  ASSERT_TRUE(amount.ok) << "'" << GetParam().cell << "'";
  EXPECT_EQ(amount.bare, GetParam().bare);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, AcceptedAmount,
    ::testing::Values(
        Accepted{"", ""}, Accepted{"   ", ""}, Accepted{" \t", ""}, Accepted{"1500", "1500"},
        Accepted{"0", "0"}, Accepted{"12.50", "12.50"}, Accepted{".5", ".5"}, Accepted{"5.", "5."},
        Accepted{"007", "007"}, Accepted{"  42\t", "42"},
        // Indian grouping.
        Accepted{"1,00,000.50", "100000.50"}, Accepted{"12,34,567", "1234567"}, Accepted{"1,000", "1000"},
        Accepted{"10,000", "10000"}, Accepted{"1,23,45,67,890", "1234567890"}, Accepted{"1,000.", "1000."},
        // International grouping.
        Accepted{"100,000.50", "100000.50"}, Accepted{"1,234,567", "1234567"}, Accepted{"999,999", "999999"},
        // Currency prefixes, any ASCII case, blanks around.
        Accepted{"Rs 500", "500"}, Accepted{"Rs500", "500"}, Accepted{"Rs. 500", "500"}, Accepted{"Rs.500", "500"},
        Accepted{"rs.500", "500"}, Accepted{"RS 1,00,000", "100000"}, Accepted{"INR 2,500.75", "2500.75"},
        Accepted{"inr1", "1"}, Accepted{"\xE2\x82\xB9 750", "750"}, Accepted{"\xE2\x82\xB9" "750", "750"},
        Accepted{" \tRs.\t12 ", "12"}, Accepted{"Rs..5", ".5"}, Accepted{"Rs .5", ".5"}));

class RejectedAmount : public ::testing::TestWithParam<std::string_view> {};

TEST_P(RejectedAmount, IsNotAnAmount) {
  std::string storage;
  EXPECT_FALSE(ParseStrictAmount(GetParam(), storage).ok) << "'" << GetParam() << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, RejectedAmount,
    ::testing::Values(
        ".", "1.2.3", "-5", "+5", "- 5", "1e5", "1E5", "2e", "abc", "12abc", "5 Rs", "1 000", "5 .5",
        // Grouping that follows neither pattern.
        "1,5", "1,00,0000", "10,00", ",100", "100,", "1,,000", "1234,567", "1,00,000,000", "12,3456",
        "1,000.000,5", ".5,000", "1,0.5",
        // A prefix alone, twice, after the number, or one that is not ours.
        "Rs", "Rs.", " INR ", "\xE2\x82\xB9", "RsRs 5", "Rs 5 Rs", "$5", "USD 5", "R 5", "rs-5", "Rs,5",
        // Blanks are spaces and tabs only.
        "5\n", "\n5", "5\r", "\xC2\xA0" "5", "5\xC2\xA0"));

TEST(StrictAmount, KeepsStorageTextOnlyWhenSeparatorsWereTakenOut) {
  std::string storage = "untouched";
  const std::string cell = "Rs 1500.25";
  const StrictAmount plain = ParseStrictAmount(cell, storage);
  EXPECT_EQ(plain.bare.data(), cell.data() + 3);  // a view into the cell itself
  EXPECT_EQ(storage, "untouched");
  const StrictAmount grouped = ParseStrictAmount("1,500.25", storage);
  EXPECT_EQ(grouped.bare, "1500.25");
  EXPECT_EQ(storage, "1500.25");
}

TEST(StrictAmount, CountsWholeDigitsForTheOverflowCheck) {
  std::string storage;
  EXPECT_EQ(ParseStrictAmount("12,34,567.89", storage).integerDigits, 7u);
  EXPECT_EQ(ParseStrictAmount(".5", storage).integerDigits, 0u);
  EXPECT_EQ(ParseStrictAmount(std::string(400, '9'), storage).integerDigits, 400u);
}

}  // namespace
}  // namespace varnolix::cli
