// Open, Save and Print from the sheet: what each refuses, leaving the sheet and the file
// on disk as they were, a start with a file, and a printout of what the page shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <string>
#include <vector>

#include "assessment/amount.h"
#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

std::string TempPath(const char* name) { return QDir::tempPath().toStdString() + "/varnolix-files-" + name; }

void WriteFile(const std::string& path, const QByteArray& bytes) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
  file.write(bytes);
}

QByteArray ReadFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST_F(SheetTest, OpenRefusesWhatTheBatchToolRefusesAndLeavesTheSheetAsItWas) {
  const struct {
    const char* name;
    QByteArray bytes;
    std::string problem;
  } files[] = {
      {"bad-cell.csv", "name,basic_pm,80d\nAsha,1000,12abc\n", "line 2, column 80d: '12abc' is not an amount"},
      {"no-basic.csv", "name,pay\nAsha,1000\n", "line 1: no basic_pm column"},
      {"near-miss.csv", "name,Basic Salary\nAsha,1000\n", "'Basic Salary' is not the name of an amount column; did you mean basic_pm?"},
      {"broken-quoting.csv", "basic_pm,name\n1000,\"Asha\n", "line 2: a quoted field is still open at the end of the input"},
      {"empty.csv", "", "is empty"},
      {"picture.csv", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "is not a text file of comma-separated values"},
      {"missing.csv", QByteArray(), "No such file or directory"},
  };
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = TempPath(file.name);
    QFile::remove(QString::fromStdString(path));
    if (file.problem != "No such file or directory") WriteFile(path, file.bytes);
    recorded.boxes.boxes.clear();
    recorded.boxes.answers = {IDDISCARD};
    recorded.files.paths = {path};
    ClickButton(sheet::kOpen);
    ASSERT_EQ(recorded.boxes.boxes.size(), 2u);
    EXPECT_EQ(recorded.boxes.boxes[0].text, "Save changes?");
    EXPECT_TRUE(recorded.boxes.boxes[1].text.starts_with("Nothing was opened.\n\n")) << recorded.boxes.boxes[1].text;
    EXPECT_NE(recorded.boxes.boxes[1].text.find(file.problem), std::string::npos) << recorded.boxes.boxes[1].text;
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "10000");
    EXPECT_EQ(SheetWindow()->windowTitle(), "Varnolix");
  }
}

// An amount no payroll file holds is named before any file is chosen; a folder that
// takes no files is named after. Either way the file on disk keeps its bytes.
TEST_F(SheetTest, SaveRefusesWhatCannotBeKeptAndLeavesTheFileOnDiskAsItWas) {
  const std::string kept = TempPath("kept.csv");
  WriteFile(kept, "basic_pm\n1\n");
  const struct {
    const char* basic;
    std::string path;
    std::string problem;
  } cases[] = {
      {"1e999", kept, "Basic Per Month is too large to hold."},
      {"-5", kept, "Basic Per Month has a minus sign; a saved file holds amounts of 0 or more."},
      {"10000", "/proc/varnolix-entries.csv", "cannot write '/proc/varnolix-entries.csv': "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.basic);
    PasteInto(kIncomeTab, income::kBasicPerMonth, QString::fromLatin1(c.basic));
    recorded.boxes.boxes.clear();
    recorded.files.paths = {c.path};
    ClickButton(sheet::kSave);
    ASSERT_EQ(recorded.boxes.boxes.size(), 1u);
    EXPECT_TRUE(recorded.boxes.boxes[0].text.starts_with("Nothing was saved.\n\n" + c.problem)) << recorded.boxes.boxes[0].text;
    EXPECT_EQ(ReadFile(kept), "basic_pm\n1\n");
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), c.basic);
    EXPECT_EQ(SheetWindow()->windowTitle(), "Varnolix");
  }
}

// Started with a file of several rows, the sheet lists them by line and name, opens the
// one picked on the Tax Results page, and prints what that page shows.
TEST_F(SheetTest, StartsWithItsFileAndPrintsWhatTheResultsPageShows) {
  const std::string payroll = TempPath("payroll.csv");
  WriteFile(payroll, "emp,basic_pm,rent_pm,hra_received_pm,80d,name\n7,5000,1000,800,,Ravi\n8,50000,8000,6000,12000,Asha Rao\n");
  recorded.lists.pick = 1;
  OpenSheet(payroll);
  EXPECT_EQ(recorded.lists.items, (std::vector<std::string>{"Line 2: 7", "Line 3: 8"}));
  EXPECT_EQ(SheetWindow()->windowTitle(), "varnolix-files-payroll.csv - Varnolix");
  ASSERT_EQ(sheet().GetActiveIndex(), kTaxResultsTab);
  const std::string taxPayable = Text(kTaxResultsTab, tax_results::kTaxPayable);

  recorded.printers.pdf = TempPath("printed.pdf");
  QFile::remove(QString::fromStdString(recorded.printers.pdf));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QString::fromStdString(recorded.printers.pdf), QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(30000));
  const std::string printed = text.readAllStandardOutput().toStdString();
  for (const std::string& expected : {std::string("varnolix-files-payroll.csv, line 3: 8"), std::string("Tax Payable"),
                                      GroupIndian(taxPayable), std::string("12,000.00")}) {
    EXPECT_NE(printed.find(expected), std::string::npos) << expected << " not in:\n" << printed;
  }

  // Save never offers to write one row over the file of many.
  recorded.files.paths.clear();
  ClickButton(sheet::kSave);
  ASSERT_EQ(recorded.files.choices.size(), 1u);
  EXPECT_EQ(recorded.files.choices[0].start, TempPath("payroll-line-3.csv"));
}

}  // namespace
}  // namespace varnolix::test
