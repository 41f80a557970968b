// The vector classification of a block must mark exactly the bytes the byte-at-a-time
// reference marks, whatever else the block holds.
#include "cli/byte_classes.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string_view>

namespace varnolix::cli {
namespace {

TEST(ByteClasses, VectorClassesAgreeWithTheReference) {
  std::mt19937_64 random(20261213);
  constexpr std::string_view kBytes(",\n\"\r\0a \xFF\x80\x7F", 10);
  std::array<char, kBlockBytes> block{};
  for (int i = 0; i < 100000; ++i) {
    for (char& byte : block) byte = kBytes[random() % kBytes.size()];
    const ByteClasses reference = ClassifyBlockPortably(block.data());
    const ByteClasses classes = ClassifyBlock(block.data());
    ASSERT_EQ(classes.separators, reference.separators);
    ASSERT_EQ(classes.lineFeeds, reference.lineFeeds);
    ASSERT_EQ(classes.quotes, reference.quotes);
    ASSERT_EQ(classes.returns, reference.returns);
    const BlockOutline outline = OutlineBlock(block.data());
    ASSERT_EQ(outline.separators, reference.separators);
    ASSERT_EQ(outline.special, reference.quotes | reference.returns | reference.lineFeeds);
    const QuotesAndLineFeeds ends = FindQuotesAndLineFeeds(block.data());
    ASSERT_EQ(ends.quotes, reference.quotes);
    ASSERT_EQ(ends.lineFeeds, reference.lineFeeds);
  }
}

TEST(ByteClasses, PrefixParityMarksTheBytesAfterAnOddCountOfQuotes) {
  std::mt19937_64 random(20261214);
  for (int i = 0; i < 100000; ++i) {
    const auto quotes = static_cast<std::uint32_t>(random());
    std::uint32_t expected = 0;
    bool odd = false;
    for (int b = 0; b < 32; ++b) {
      odd = odd != (((quotes >> b) & 1) != 0);
      if (odd) expected |= std::uint32_t{1} << b;
    }
    ASSERT_EQ(PrefixParity(quotes), expected) << quotes;
  }
}

}  // namespace
}  // namespace varnolix::cli
