// The printed sheet as laid out, measured with a fixed advance: what a practitioner
// reads on each page, against golden pages, and the promises a page break must keep.
// After a deliberate change, regenerate the golden file with
//   VARNOLIX_REGENERATE_GOLDEN=1 build/dev/tests/report/report_tests --gtest_filter='SheetLayout.Golden*'
// and read the difference before keeping it.
#include "report/sheet_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "computation/render.h"
#include "tests/assessment/typed.h"

namespace varnolix::report {
namespace {

// Every character half an em wide: near enough to a sans serif for pages to break where
// they do in print.
class FixedAdvance : public TextMeasure {
 public:
  double Width(Face face, std::string_view text) const override {
    const auto characters = std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return static_cast<double>(characters) * 0.5 * kFaceSizes[static_cast<std::size_t>(face)].points * kMillimetresPerPoint;
  }
};

const FixedAdvance kMeasure;
constexpr PageArea kA4{180, 267};

Computation Of(Who who, std::string_view row) {
  const test::TypedRow typed = test::Typed(row);
  const PagesShown shown{typed.input.standardDeductionShown, typed.input.section80Shown, typed.input.section88Shown};
  return ComputationOf(std::move(who), "7 December 2026", typed.texts, shown);
}

std::vector<LaidOutPage> Laid(const Computation& c, PageArea area = kA4) {
  return LaidOutSheet(c, {area, "Varnolix 9.9"}, kMeasure);
}

// Title, Name, Body, Strong, note, small: after each run's position.
constexpr char kFaceLetters[] = "TNBSns";

// A page as lines of text, top to bottom, each run at its left end; then its rules and frames.
std::string Dump(const std::vector<LaidOutPage>& pages) {
  std::string out;
  char number[64];
  for (std::size_t p = 0; p < pages.size(); ++p) {
    out += "-- page " + std::to_string(p + 1) + "\n";
    std::map<long, std::vector<const TextRun*>> lines;  // by baseline, in tenths of a millimetre
    for (const TextRun& run : pages[p].texts) lines[std::lround(run.baseline * 10)].push_back(&run);
    for (auto& [baseline, runs] : lines) {
      std::ranges::sort(runs, {}, &TextRun::x);
      std::snprintf(number, sizeof number, "%6.1f", static_cast<double>(baseline) / 10);
      out += number;
      for (const TextRun* run : runs) {
        std::snprintf(number, sizeof number, " |%.1f%c ", run->x, kFaceLetters[static_cast<std::size_t>(run->face)]);
        out += number + run->text;
      }
      out += '\n';
    }
    for (const Rule& r : pages[p].rules) {
      std::snprintf(number, sizeof number, "  rule %.1f,%.1f to %.1f,%.1f\n", r.x1, r.y1, r.x2, r.y2);
      out += number;
    }
    for (const Frame& f : pages[p].frames) {
      std::snprintf(number, sizeof number, "  frame %.1f,%.1f %.1f by %.1f\n", f.x, f.y, f.width, f.height);
      out += number;
    }
  }
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void CheckGolden(const std::string& name, const std::string& laidOut) {
  const std::string path = std::string(VARNOLIX_REPORT_GOLDEN_DIR "/") + name;
  if (std::getenv("VARNOLIX_REGENERATE_GOLDEN") != nullptr) std::ofstream(path, std::ios::binary) << laidOut;
  EXPECT_EQ(laidOut, ReadFile(path)) << name;
}

const char* kEveryField = "25000,5000,1000,10000,8000,10000,2500,20000,18000,30000,5000,50000,0,30000,20000,15000,0,0,15000";

TEST(SheetLayout, GoldenPages) {
  const struct {
    const char* name;
    Who who;
    const char* row;
    PageArea area;
  } sheets[] = {
      {"every field, from a file", {"Iyer, Meera", "E1002", "Legal", "ABCPI1234K", "employees.csv", 3, false}, kEveryField, kA4},
      {"typed, two pages never shown", {}, "10000,2000,,,5000,4000,,1500,,,,,", kA4},
      {"a Devanagari name, changed since opened", {"अनन्या शर्मा", "E7", "", "", "staff.csv", 5, true}, "9810.61,,,,,,,,,,,,,60000,,,,,10000", kA4},
      {"crores on a short page", {"Ravi", "E3", "", "", "big.csv", 2, false}, "12345678.91,,,,,,,,,,,,,,,,,,", {180, 120}},
  };
  std::string out;
  for (const auto& sheet : sheets) {
    out += "== " + std::string(sheet.name) + ": " + sheet.row + "\n" + Dump(Laid(Of(sheet.who, sheet.row), sheet.area));
  }
  CheckGolden("pages.txt", out);
}

// The texts of a page joined in reading order, line by line.
std::string Read(const LaidOutPage& page, Face face) {
  std::vector<const TextRun*> runs;
  for (const TextRun& run : page.texts) {
    if (run.face == face) runs.push_back(&run);
  }
  std::ranges::sort(runs, [](const TextRun* a, const TextRun* b) {
    return std::pair(a->baseline, a->x) < std::pair(b->baseline, b->x);
  });
  std::string text;
  for (const TextRun* run : runs) text += (text.empty() ? "" : " ") + run->text;
  return text;
}

// However short the page, each page after the first says whose sheet it continues, a
// section carried over says so beside its title, and the rules and the signature come
// last, on the last page.
TEST(SheetLayout, LaterPagesSayWhoseSheetTheyContinue) {
  const Computation c = Of({"Asha Rao", "E1001", "", "", "employees.csv", 2}, kEveryField);
  bool carriedOver = false;
  for (double height = 80; height <= 160; height += 10) {
    SCOPED_TRACE(height);
    const std::vector<LaidOutPage> pages = Laid(c, {180, height});
    ASSERT_GE(pages.size(), 2u);
    for (std::size_t p = 1; p < pages.size(); ++p) {
      EXPECT_TRUE(Read(pages[p], Face::kStrong).starts_with("Asha Rao, E1001, continued")) << "page " << p + 1;
      EXPECT_NE(Read(pages[p], Face::kSmall).find("Page " + std::to_string(p + 1) + " of"), std::string::npos);
      carriedOver |= Read(pages[p], Face::kNote).find("continued") != std::string::npos;
    }
    for (std::size_t p = 0; p + 1 < pages.size(); ++p) EXPECT_EQ(Read(pages[p], Face::kSmall).find("Rules:"), std::string::npos);
    EXPECT_NE(Read(pages.back(), Face::kSmall).find("Rules: an older Indian regime"), std::string::npos);
    EXPECT_NE(Read(pages.back(), Face::kBody).find("Prepared by"), std::string::npos);
  }
  EXPECT_TRUE(carriedOver) << "no page carried a section over";
}

// The footnote names the rules and states each that a practitioner would not expect.
TEST(SheetLayout, TheFootnoteNamesTheRules) {
  const std::string foot = Read(Laid(Of({}, "3000")).back(), Face::kSmall);
  EXPECT_NE(foot.find("Rules: an older Indian regime with the Section 88 rebate, as Varnolix 9.9 applies it."),
            std::string::npos);
  for (std::size_t note = 0; note < kRuleNoteCount; ++note) {
    EXPECT_NE(foot.find(RuleNoteText(static_cast<RuleNote>(note))), std::string::npos) << note;
  }
}

// In the working and in the results, every figure's point stands on one line down the
// page, "nil" ends where the paise do, and a long label never pushes a figure aside.
TEST(SheetLayout, FiguresStandOnTheirPoints) {
  for (const char* row : {kEveryField, "3000,,,,,1000", "12345678.91", "9810.61,,,,,,,,,,,,,60000,,,,,10000"}) {
    SCOPED_TRACE(row);
    const Computation c = Of({}, row);
    const LaidOutPage page = Laid(c).front();
    const auto pointOf = [&](const TextRun& run) {
      const std::size_t point = run.text.find('.');
      return run.x + kMeasure.Width(run.face, point == std::string::npos ? run.text : run.text.substr(0, point)) +
             (point == std::string::npos ? -kMeasure.Width(run.face, ".00") : 0);
    };
    // The figure on the line of a run that starts the label; a wrapped label starts it.
    // The results' labels stand right of the working's.
    const auto figureBeside = [&](std::string_view label, const std::string& figure, bool rightmost) {
      const TextRun* found = nullptr;
      for (const TextRun& named : page.texts) {
        if (named.text.empty() || !label.starts_with(named.text)) continue;
        for (const TextRun& run : page.texts) {
          if (run.text != figure || run.baseline != named.baseline || run.x <= named.x) continue;
          if (found == nullptr || (run.x > found->x) == rightmost) found = &run;
        }
      }
      if (found == nullptr) ADD_FAILURE() << "no " << figure << " beside " << label;
      return found;
    };
    std::vector<double> working;
    for (const WorkingSection& section : c.working) {
      for (const WorkingLine& line : section.lines) {
        const TextRun* run = figureBeside(line.label, FigureText(line), false);
        if (run != nullptr) working.push_back(pointOf(*run));
      }
    }
    std::vector<double> results;
    for (Result result : kResultsAsShown) {
      const TextRun* run = figureBeside(ResultLabel(result), WrittenFigure(c.results[result]), true);
      if (run != nullptr) results.push_back(pointOf(*run));
    }
    for (const std::vector<double>& points : {working, results}) {
      ASSERT_FALSE(points.empty());
      for (double point : points) EXPECT_NEAR(point, points.front(), 1e-9);
    }
  }
}

}  // namespace
}  // namespace varnolix::report
