// The bytes of a 32-byte block that matter to CSV, as bit masks, so a record is
// scanned a block at a time rather than a byte at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnolix::cli {

inline constexpr std::size_t kBlockBytes = 32;

// Bit i stands for byte i of the block.
struct ByteClasses {
  std::uint32_t separators = 0;  // ',' and '\n'
  std::uint32_t lineFeeds = 0;
  std::uint32_t quotes = 0;
  std::uint32_t returns = 0;  // '\r'

  // The classes of the first `count` bytes only.
  ByteClasses Within(std::size_t count) const {
    if (count >= kBlockBytes) return *this;
    const std::uint32_t kept = (std::uint32_t{1} << count) - 1;
    return {separators & kept, lineFeeds & kept, quotes & kept, returns & kept};
  }
};

// The two classes that settle most blocks: the separators, and the bytes that need a
// closer look (quotes, carriage returns and line feeds). Line feeds are in both.
struct BlockOutline {
  std::uint32_t separators = 0;
  std::uint32_t special = 0;

  BlockOutline Within(std::size_t count) const {
    if (count >= kBlockBytes) return *this;
    const std::uint32_t kept = (std::uint32_t{1} << count) - 1;
    return {separators & kept, special & kept};
  }
};

// One byte at a time: the reference, and the route where no vector instructions are known.
inline ByteClasses ClassifyBlockPortably(const char* block) {
  ByteClasses classes;
  for (std::size_t i = 0; i < kBlockBytes; ++i) {
    const std::uint32_t bit = std::uint32_t{1} << i;
    switch (block[i]) {
      case ',':
        classes.separators |= bit;
        break;
      case '\n':
        classes.separators |= bit;
        classes.lineFeeds |= bit;
        break;
      case '"':
        classes.quotes |= bit;
        break;
      case '\r':
        classes.returns |= bit;
        break;
      default:
        break;
    }
  }
  return classes;
}

#if defined(__SSE2__)
// The classes of 16 bytes, in the low bits.
inline ByteClasses ClassifyHalfBlock(const char* half) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(half));
  auto mask = [](__m128i matches) { return static_cast<std::uint32_t>(_mm_movemask_epi8(matches)); };
  const __m128i lineFeeds = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'));
  return {mask(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(',')), lineFeeds)), mask(lineFeeds),
          mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'))), mask(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')))};
}
#endif

inline BlockOutline OutlinePortably(const char* block) {
  const ByteClasses c = ClassifyBlockPortably(block);
  return {c.separators, c.quotes | c.returns | c.lineFeeds};
}

#if defined(__SSE2__)
inline BlockOutline OutlineHalfBlock(const char* half) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(half));
  const __m128i lineFeeds = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'));
  const __m128i separators = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(',')), lineFeeds);
  const __m128i special = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))), lineFeeds);
  return {static_cast<std::uint32_t>(_mm_movemask_epi8(separators)), static_cast<std::uint32_t>(_mm_movemask_epi8(special))};
}
#endif

// Reads all the bytes of the block at `block`, whatever the caller then uses.
inline BlockOutline OutlineBlock(const char* block) {
#if defined(__SSE2__)
  const BlockOutline low = OutlineHalfBlock(block);
  const BlockOutline high = OutlineHalfBlock(block + kBlockBytes / 2);
  return {low.separators | high.separators << 16, low.special | high.special << 16};
#else
  return OutlinePortably(block);
#endif
}

// Quotes and line feeds only, all that decides where records end.
struct QuotesAndLineFeeds {
  std::uint32_t quotes = 0;
  std::uint32_t lineFeeds = 0;

  QuotesAndLineFeeds Within(std::size_t count) const {
    if (count >= kBlockBytes) return *this;
    const std::uint32_t kept = (std::uint32_t{1} << count) - 1;
    return {quotes & kept, lineFeeds & kept};
  }
};

inline QuotesAndLineFeeds FindQuotesAndLineFeedsPortably(const char* block) {
  const ByteClasses c = ClassifyBlockPortably(block);
  return {c.quotes, c.lineFeeds};
}

#if defined(__SSE2__)
inline QuotesAndLineFeeds FindQuotesAndLineFeedsInHalf(const char* half) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(half));
  return {static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')))),
          static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))))};
}
#endif

// Reads all the bytes of the block at `block`, whatever the caller then uses.
inline QuotesAndLineFeeds FindQuotesAndLineFeeds(const char* block) {
#if defined(__SSE2__)
  const QuotesAndLineFeeds low = FindQuotesAndLineFeedsInHalf(block);
  const QuotesAndLineFeeds high = FindQuotesAndLineFeedsInHalf(block + kBlockBytes / 2);
  return {low.quotes | high.quotes << 16, low.lineFeeds | high.lineFeeds << 16};
#else
  return FindQuotesAndLineFeedsPortably(block);
#endif
}

// Reads all the bytes of the block at `block`, whatever the caller then uses.
inline ByteClasses ClassifyBlock(const char* block) {
#if defined(__SSE2__)
  const ByteClasses low = ClassifyHalfBlock(block);
  const ByteClasses high = ClassifyHalfBlock(block + kBlockBytes / 2);
  return {low.separators | high.separators << 16, low.lineFeeds | high.lineFeeds << 16,
          low.quotes | high.quotes << 16, low.returns | high.returns << 16};
#else
  return ClassifyBlockPortably(block);
#endif
}

// Bit i set when bits 0 to i of `bits` hold an odd count: for quote marks, the bytes from
// an opening quote up to, not including, its closing one.
inline std::uint32_t PrefixParity(std::uint32_t bits) {
  bits ^= bits << 1;
  bits ^= bits << 2;
  bits ^= bits << 4;
  bits ^= bits << 8;
  bits ^= bits << 16;
  return bits;
}

}  // namespace varnolix::cli
