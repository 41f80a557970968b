// The strict grammar of amount cells: the bare text a person would type, and the value,
// which must be what ReadAmount reads from the bare text; and the quick route for plain
// cells, which must give what the grammar gives.
#include "cli/strict_amount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "assessment/amount.h"

namespace varnolix::cli {
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
      {"Rs 9,99,999." + nines, "999999." + nines}};
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
        // Blanks are spaces and tabs only.
        "5\n", "\n5", "5\r", "\xC2\xA0" "5", "5\xC2\xA0"}) {
    std::string storage;
    EXPECT_FALSE(ReadStrictAmount(cell, storage).ok) << "'" << cell << "'";
  }
}

// Text made of the pieces amounts are written with, and some that spoil them.
std::string RandomCell(std::mt19937_64& random) {
  static const std::vector<std::string> kPieces{
      "0", "1", "5", "9", "00", "12", "123", "4567", ",", ",", ".", ".", " ", "\t", "Rs", "Rs.", "rs ", "INR",
      "\xE2\x82\xB9", "R", "-", "+", "e", "x", "\n", ",00", ",000", "99,999"};
  std::string cell;
  for (size_t pieces = random() % 7; pieces > 0; --pieces) cell += kPieces[random() % kPieces.size()];
  return cell;
}

// A well-formed amount: blanks, a prefix, grouped or plain whole digits, decimals.
std::string RandomAmount(std::mt19937_64& random) {
  static const std::vector<std::string> kPrefixes{"", "", "", "Rs ", "Rs.", "INR ", "\xE2\x82\xB9"};
  std::string digits;
  for (size_t count = random() % 24; count > 0; --count) digits += static_cast<char>('0' + random() % 10);
  std::string whole = digits;
  if (random() % 3 == 0 && digits.size() > 3) {  // grouped, Indian or international
    const size_t middle = random() % 2 == 0 ? 2 : 3;
    size_t end = digits.size() - 3;
    whole = digits.substr(end);
    for (; end > middle; end -= middle) whole = digits.substr(end - middle, middle) + "," + whole;
    whole = digits.substr(0, end) + "," + whole;
  }
  std::string cell = std::string(random() % 2, ' ') + kPrefixes[random() % kPrefixes.size()] + whole;
  if (random() % 3 == 0) {
    cell += '.';
    for (size_t i = random() % 4; i > 0; --i) cell += static_cast<char>('0' + random() % 10);
  }
  return cell + std::string(random() % 2, '\t');
}

// The value of an accepted cell is what ReadAmount reads from its bare text, whether it
// came from the digits gathered on the way or from the text.
TEST(StrictAmount, ValueIsWhatTheBareTextReads) {
  std::mt19937_64 random(20261208);
  std::string storage;
  size_t accepted = 0;
  for (int i = 0; i < 1'000'000; ++i) {
    const std::string cell = i % 2 == 0 ? RandomCell(random) : RandomAmount(random);
    const StrictAmount amount = ReadStrictAmount(cell, storage);
    if (!amount.ok) continue;
    ++accepted;
    ASSERT_EQ(Bits(amount.value), Bits(ReadAmount(amount.bare))) << "'" << cell << "'";
  }
  EXPECT_GT(accepted, 400'000u);  // the cells exercise both answers
}

// The quick route takes digits with at most one point, and gives their value as the
// grammar does; every other cell it leaves to the grammar.
TEST(StrictAmount, PlainRouteAgreesWithTheGrammar) {
  std::mt19937_64 random(20261209);
  const std::string alphabet = "0123456789012345678901234567890123456789..../:a\x80 ,";
  std::string storage;
  for (int i = 0; i < 2'000'000; ++i) {
    std::string cell;
    for (size_t size = random() % 24; size > 0; --size) cell += alphabet[random() % alphabet.size()];
    double quick = -1;
    const bool read = ReadPlainAmount(cell, quick);
    const auto digits = std::count_if(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto points = std::count(cell.begin(), cell.end(), '.');
    const bool plain = digits > 0 && points <= 1 && std::ssize(cell) == digits + points;
    if (!read) {
      ASSERT_TRUE(!plain || digits >= 16) << "'" << cell << "'";  // beyond the exact route
      continue;
    }
    ASSERT_TRUE(plain) << "'" << cell << "'";
    const StrictAmount amount = ReadStrictAmount(cell, storage);
    ASSERT_TRUE(amount.ok) << "'" << cell << "'";
    ASSERT_EQ(Bits(quick), Bits(amount.value)) << "'" << cell << "'";
  }
}

}  // namespace
}  // namespace varnolix::cli
