#include "cli/strict_amount.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "assessment/amount.h"

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

// Text made of the pieces amounts are written with, and some that spoil them.
std::string RandomCell(std::mt19937_64& random) {
  static const std::vector<std::string> kPieces{
      "0", "1", "5", "9", "00", "12", "123", "4567", ",", ",", ".", ".", " ", "\t", "Rs", "Rs.", "rs ", "INR",
      "\xE2\x82\xB9", "R", "-", "+", "e", "x", "\n", ",00", ",000", "99,999"};
  std::string cell;
  const size_t pieces = random() % 7;
  for (size_t i = 0; i < pieces; ++i) cell += kPieces[random() % kPieces.size()];
  return cell;
}

// A well-formed amount: blanks, a prefix, grouped or plain whole digits, decimals.
std::string RandomAmount(std::mt19937_64& random) {
  static const std::vector<std::string> kPrefixes{"", "", "", "Rs ", "Rs.", "INR ", "\xE2\x82\xB9"};
  std::string digits;
  const size_t count = random() % 24;  // past 19 digits the exact route gives way
  for (size_t i = 0; i < count; ++i) digits += static_cast<char>('0' + random() % 10);
  std::string whole = digits;
  if (random() % 3 == 0 && digits.size() > 3) {  // grouped, Indian or international
    const size_t middle = random() % 2 == 0 ? 2 : 3;
    whole = digits.substr(digits.size() - 3);
    size_t end = digits.size() - 3;
    while (end > middle) {
      whole = digits.substr(end - middle, middle) + "," + whole;
      end -= middle;
    }
    whole = digits.substr(0, end) + "," + whole;
  }
  std::string cell = std::string(random() % 2, ' ') + kPrefixes[random() % kPrefixes.size()] + whole;
  if (random() % 3 == 0) {
    cell += '.';
    for (size_t i = random() % 4; i > 0; --i) cell += static_cast<char>('0' + random() % 10);
  }
  return cell + std::string(random() % 2, '\t');
}

// The one-pass reading must accept exactly the cells the grammar accepts, each with the
// very value ReadAmount gives its bare text.
TEST(StrictAmount, ReadingAgreesWithTheBareText) {
  std::mt19937_64 random(20261208);
  std::string storage;
  std::string bareStorage;
  size_t accepted = 0;
  for (int i = 0; i < 300000; ++i) {
    const std::string cell = i % 2 == 0 ? RandomCell(random) : RandomAmount(random);
    const StrictAmount bare = ParseStrictAmount(cell, bareStorage);
    const StrictValue value = ReadStrictAmount(cell, storage);
    ASSERT_EQ(value.ok, bare.ok) << "'" << cell << "'";
    if (!bare.ok) continue;
    ++accepted;
    const double expected = ReadAmount(bare.bare);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(value.value), std::bit_cast<std::uint64_t>(expected))
        << "'" << cell << "' read " << value.value << ", bare text " << expected;
  }
  EXPECT_GT(accepted, 100000u);  // the cells exercise both answers
}

TEST(StrictAmount, ReadingOfHugeAmounts) {
  std::string storage;
  const std::string nines(400, '9');
  EXPECT_EQ(ReadStrictAmount(nines, storage).value, ReadAmount(nines));
  EXPECT_TRUE(ReadStrictAmount(nines, storage).ok);
  EXPECT_EQ(ReadStrictAmount("Rs 9,99,999." + nines, storage).value, ReadAmount("999999." + nines));
}

// The quick route reads eight bytes from the cell's start, so each cell is placed before
// random bytes, which must not change the result.
TEST(StrictAmount, ShortPlainReadingAgreesWithTheGrammar) {
  std::mt19937_64 random(20261209);
  const std::string alphabet = "0123456789..../:a\x80 ,";
  std::string storage;
  for (int i = 0; i < 300000; ++i) {
    std::string cell;
    for (size_t size = random() % 11; size > 0; --size) cell += alphabet[random() % alphabet.size()];
    std::string padded = cell;
    for (int j = 0; j < 8; ++j) padded += static_cast<char>(random());
    double quick = -1;
    const bool read = ReadShortPlainAmount(std::string_view(padded.data(), cell.size()), quick);

    size_t digits = 0;
    size_t points = 0;
    for (char c : cell) {
      digits += c >= '0' && c <= '9' ? 1 : 0;
      points += c == '.' ? 1 : 0;
    }
    const bool plain = cell.empty() || (digits > 0 && digits + points == cell.size() && points <= 1);
    const bool plainAndShort = cell.size() <= 8 && plain;
    ASSERT_EQ(read, plainAndShort) << "'" << cell << "'";
    if (!read) continue;
    const StrictValue value = ReadStrictAmount(cell, storage);
    ASSERT_TRUE(value.ok) << "'" << cell << "'";
    ASSERT_EQ(std::bit_cast<std::uint64_t>(quick), std::bit_cast<std::uint64_t>(value.value)) << "'" << cell << "'";
  }
}

}  // namespace
}  // namespace varnolix::cli
