// The fonts a sheet prints in: a name in any script of India comes out as its letters,
// joined as the script joins them, and Latin text as plain letters that a PDF reader
// finds again.
#include "report/sheet_fonts.h"

#include <gtest/gtest.h>

#include <QGlyphRun>
#include <QImage>
#include <QTextLayout>

namespace varnolix::report {
namespace {

// The glyphs `text` is set in; glyph 0 is the empty box of a font that lacks a letter.
std::vector<quint32> Glyphs(const SheetFonts& fonts, Face face, std::string_view text) {
  QTextLayout layout(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), fonts.Font(face));
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  std::vector<quint32> glyphs;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    for (quint32 glyph : run.glyphIndexes()) glyphs.push_back(glyph);
  }
  return glyphs;
}

TEST(SheetFonts, NamesInIndianScriptsAreSetInTheirLettersJoined) {
  const QImage page(100, 100, QImage::Format_RGB32);
  const SheetFonts fonts(page);
  const struct {
    const char* script;
    const char* name;
    std::size_t characters;
  } names[] = {
      {"Devanagari", "अनन्या शर्मा", 12}, {"Bengali", "সুমিত্রা", 8}, {"Tamil", "தமிழ்செல்வி", 11},
      {"Telugu", "శ్రీనివాస్", 10},     {"Kannada", "ಕಿರಣ್", 5},     {"Malayalam", "ലക്ഷ്മി", 7},
      {"Gujarati", "હર્ષ", 4},           {"Gurmukhi", "ਗੁਰਪ੍ਰੀਤ", 8},  {"Oriya", "ଲକ୍ଷ୍ମୀ", 7},
  };
  for (const auto& name : names) {
    for (Face face : {Face::kName, Face::kBody}) {
      const std::vector<quint32> glyphs = Glyphs(fonts, face, name.name);
      EXPECT_FALSE(glyphs.empty()) << name.script;
      EXPECT_EQ(std::ranges::count(glyphs, 0u), 0) << name.script << ": a letter printed as a box";
      // Shaped, conjuncts and vowel signs join: fewer glyphs than characters.
      EXPECT_LT(glyphs.size(), name.characters) << name.script << " was set without shaping";
    }
  }
  // "fi" as two letters, not the ligature that a PDF reader gives back as one character.
  EXPECT_EQ(Glyphs(fonts, Face::kStrong, "Exemption benefit").size(), 17u);
}

}  // namespace
}  // namespace varnolix::report
