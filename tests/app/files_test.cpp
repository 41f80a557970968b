// Open, Save and Print from the sheet, for what only the window shows: the boxes that
// refuse, the picker and its find, the title, the questions Save asks, a start with a
// file, and a printout of what the page shows. The rules behind them are the document's,
// tested in tests/document.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "assessment/amount.h"
#include "platform/clock.h"
#include "platform/service.h"
#include "resources/resource_ids.h"
#include "tests/gui_support/modal_windows.h"
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

const QByteArray kStaff =
    "employee_id,name,department,basic_pm,80d,pan\n"
    "E1001,Asha Rao,Accounts,10000,,AAAPR1001A\n"
    "E1002,\"Iyer, Meera\",Legal,25000,18000,AAAPI1002B\n"
    "E1003,\xE0\xA4\xB0\xE0\xA4\xB5\xE0\xA4\xBF \xE0\xA4\x95\xE0\xA5\x81\xE0\xA4\xAE\xE0\xA4\xBE\xE0\xA4\xB0,Stores,3000,,AAAPK1003C\n"
    "E1004,Meera Iyer,Finance,45000,12000,AAAPI1004D\n"
    ",,,,,\n";

// A file refused, whether the batch tool refuses it, it is gone, or it is a named pipe
// that would block the window's thread: a box says why, and the sheet stays as it was.
TEST_F(SheetTest, OpenRefusesWhatItCannotReadAndLeavesTheSheetAsItWas) {
  const std::string pipe = TempPath("pipe.csv");
  QFile::remove(QString::fromStdString(pipe));
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    const char* name;
    QByteArray bytes;  // none: the file is left as it is
    std::string problem;
  } files[] = {
      {"bad-cell.csv", "name,basic_pm,80d\nAsha,1000,12abc\n", "line 2, column 80d: '12abc' is not an amount"},
      {"missing.csv", QByteArray(), "No such file or directory"},
      {"pipe.csv", QByteArray(), "'" + pipe + "' is a named pipe, not a file of rows; open a CSV file"},
  };
  TypeInto(kIncomeTab, income::kBasicPerMonth, "10000");
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = TempPath(file.name);
    if (!file.bytes.isEmpty()) WriteFile(path, file.bytes);
    recorded.boxes.boxes.clear();
    recorded.boxes.answers = {IDDISCARD};
    recorded.files.paths = {path};
    {
      const BlockedWatchdog watchdog(std::chrono::seconds(5), BlockedWatchdog::OpenOtherEnd(pipe));
      ClickButton(sheet::kOpen);
    }
    ASSERT_EQ(recorded.boxes.boxes.size(), 2u);
    EXPECT_EQ(recorded.boxes.boxes[0].text, "Save changes?");
    EXPECT_TRUE(recorded.boxes.boxes[1].text.starts_with("Nothing was opened.\n\n")) << recorded.boxes.boxes[1].text;
    EXPECT_NE(recorded.boxes.boxes[1].text.find(file.problem), std::string::npos) << recorded.boxes.boxes[1].text;
    EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "10000");
    EXPECT_EQ(SheetWindow()->windowTitle(), "Varnolix");
  }

  // Started with the pipe, the window shows and says so.
  recorded.boxes.boxes.clear();
  {
    const BlockedWatchdog watchdog(std::chrono::seconds(5), BlockedWatchdog::OpenOtherEnd(pipe));
    OpenSheet(pipe);
  }
  EXPECT_TRUE(SheetIsOpen());
  ASSERT_EQ(recorded.boxes.boxes.size(), 1u);
  EXPECT_NE(recorded.boxes.boxes[0].text.find("is a named pipe"), std::string::npos);
  QFile::remove(QString::fromStdString(pipe));
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

// The real picker: typing finds a row by any cell that is no amount, in any case and
// script, says when nothing matches, and Enter opens the row found; the title names it.
TEST_F(SheetTest, ThePickerFindsARowByAnyCellAndTheTitleNamesTheRowOpened) {
  const std::string staff = TempPath("staff.csv");
  WriteFile(staff, kStaff);
  ScopedService<ListChoosers> realPicker(ListChoosers::Production());
  const auto shown = [](QWidget* picker) {
    QListView* list = picker->findChild<QListView*>();
    QStringList items;
    for (int row = 0; row < list->model()->rowCount(); ++row) items << list->model()->index(row, 0).data().toString();
    return std::make_pair(items, picker->findChild<QStackedWidget*>()->currentWidget() == list);
  };
  std::vector<std::pair<QStringList, bool>> seen;
  QString noMatch;
  const ExpectedModal picker(CloseBy::EnterKey, [&](QWidget* window) {
    const QString prompt = window->findChild<QLabel*>()->text();
    auto* find = window->findChild<QLineEdit*>();
    seen.push_back(shown(window));
    // A department in capitals, a PAN the list does not show, a part of a Hindi name.
    for (const char* typed : {"FINANCE", "aaapi1004", "\xE0\xA4\x95\xE0\xA5\x81\xE0\xA4\xAE", "zzz"}) {
      find->clear();
      // As an input method types it: one key event holding the text.
      QTest::sendKeyEvent(QTest::Click, find, Qt::Key_unknown, QString::fromUtf8(typed), Qt::NoModifier);
      seen.push_back(shown(window));
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->isVisible() && label->text() != prompt) noMatch = label->text();
    }
    find->clear();
    QTest::keyClicks(find, QStringLiteral("iyer"));  // two rows; the first is picked
  });
  OpenSheet(staff);
  EXPECT_TRUE(picker.seen().appeared);
  const QString hindi = QString::fromUtf8("Line 4: E1003 \u00B7 \xE0\xA4\xB0\xE0\xA4\xB5\xE0\xA4\xBF "
                                          "\xE0\xA4\x95\xE0\xA5\x81\xE0\xA4\xAE\xE0\xA4\xBE\xE0\xA4\xB0 \u00B7 Stores");
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].first, (QStringList{QString::fromUtf8("Line 2: E1001 \u00B7 Asha Rao \u00B7 Accounts"),
                                        QString::fromUtf8("Line 3: E1002 \u00B7 Iyer, Meera \u00B7 Legal"), hindi,
                                        QString::fromUtf8("Line 5: E1004 \u00B7 Meera Iyer \u00B7 Finance")}));
  EXPECT_EQ(seen[1].first, QStringList{QString::fromUtf8("Line 5: E1004 \u00B7 Meera Iyer \u00B7 Finance")});
  EXPECT_EQ(seen[2].first, seen[1].first);
  EXPECT_EQ(seen[3].first, QStringList{hindi});
  EXPECT_EQ(seen[4], std::make_pair(QStringList{}, false));
  EXPECT_EQ(noMatch, "No row matches");
  EXPECT_EQ(SheetWindow()->windowTitle(), QString::fromUtf8("E1002 Iyer, Meera \u2013 varnolix-files-staff.csv - Varnolix"));
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "25000");
}

// Save on a row of a payroll file offers to write it back into its line; saved as a file
// of its own, it asks its own question before replacing a file, never the dialog's.
TEST_F(SheetTest, SaveOffersToWriteTheRowBackAndAsksBeforeReplacingAnyFile) {
  const std::string staff = TempPath("save-staff.csv");
  WriteFile(staff, kStaff);
  const std::string other = TempPath("save-other.csv");
  WriteFile(other, "basic_pm\n1\n");
  recorded.lists.pick = 3;
  OpenSheet(staff);
  ASSERT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "45000");
  ClickTab(kIncomeTab);
  TypeInto(kIncomeTab, income::kBasicPerMonth, "50000", true);
  const std::vector<std::string> choice{"&Write into varnolix-files-save-staff.csv", "Save as a &New File…", "Cancel"};
  const std::string offer =
      "These entries came from line 5 of varnolix-files-save-staff.csv, a file of 4 rows.\n\n"
      "Write them back into that line, or save them as a new file of their own?";

  const struct {
    const char* name;
    std::deque<std::size_t> pressed;
    std::deque<std::string> paths;
    std::vector<std::string> asked;  // after the offer
    QByteArray staffAfter;
  } cases[] = {
      {"cancelled", {2}, {}, {}, kStaff},
      {"over the payroll file, not replaced", {1, 1}, {staff},
       {"varnolix-files-save-staff.csv holds 4 rows. Replace them all with this one row?"}, kStaff},
      {"written back", {0}, {}, {}, QByteArray(kStaff).replace("Finance,45000", "Finance,50000")},
      {"over another file, replaced", {1, 0}, {other}, {"varnolix-files-save-other.csv already exists. Replace it?"},
       QByteArray(kStaff).replace("Finance,45000", "Finance,50000")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    recorded.boxes.boxes.clear();
    recorded.boxes.pressed = c.pressed;
    recorded.files.paths = c.paths;
    recorded.files.choices.clear();
    ClickButton(sheet::kSave);
    ASSERT_GE(recorded.boxes.boxes.size(), 1u);
    EXPECT_EQ(recorded.boxes.boxes[0].text, offer);
    EXPECT_EQ(recorded.boxes.boxes[0].buttons, choice);
    std::vector<std::string> asked;
    for (size_t i = 1; i < recorded.boxes.boxes.size(); ++i) asked.push_back(recorded.boxes.boxes[i].text);
    EXPECT_EQ(asked, c.asked);
    if (!c.paths.empty()) {
      ASSERT_EQ(recorded.files.choices.size(), 1u);
      EXPECT_EQ(recorded.files.choices[0].start, TempPath("save-staff-line-5.csv"));
      EXPECT_FALSE(recorded.files.choices[0].askToReplace);
    }
    EXPECT_EQ(ReadFile(staff), c.staffAfter);
  }
  EXPECT_TRUE(ReadFile(other).startsWith("employee_id,name,department,basic_pm,80d,pan,") && ReadFile(other).contains(",50000,"));
  // Saved, nothing is left unsaved, and the title names the file of one row.
  EXPECT_EQ(SheetWindow()->windowTitle(), "varnolix-files-save-other.csv - Varnolix");
  recorded.boxes.boxes.clear();
  ClickButton(IDCANCEL);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !SheetIsOpen(); }, 2000));
  EXPECT_TRUE(recorded.boxes.boxes.empty());
}

// Bytes that are not UTF-8 are never passed over in silence: the picker says where they
// are, or, for a file of one row, a box.
TEST_F(SheetTest, SaysWhichLineHoldsBytesThatAreNotUtf8WhenItOpensAFile) {
  const std::string note = "Line 2: a cell holds bytes that are not UTF-8 text, shown as \uFFFD.";
  const std::string one = TempPath("latin1-one.csv");
  WriteFile(one, "name,basic_pm\nJos\xE9,50000\n");
  OpenSheet(one);
  EXPECT_EQ(recorded.boxes.Texts(), std::vector<std::string>{note});
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "50000");

  const std::string many = TempPath("latin1-many.csv");
  WriteFile(many, "name,basic_pm\nJos\xE9,50000\nAsha,1000\nRen\xE9\xE9,20\n");
  recorded.boxes.boxes.clear();
  recorded.lists.pick = 1;
  OpenSheet(many);
  EXPECT_EQ(recorded.lists.prompt, note.substr(0, note.size() - 1) +
                                       "; 1 more line holds such bytes.\n\nvarnolix-files-latin1-many.csv holds 3 rows. "
                                       "Open the row of:");
  EXPECT_TRUE(recorded.boxes.boxes.empty());
}

// The real boxes: each answer but Cancel has its letter, and Esc cancels, leaving the
// entries and the file as they were.
TEST_F(SheetTest, TheRealBoxesGiveEachAnswerItsLetterAndEscCancels) {
  const std::string staff = TempPath("real-staff.csv");
  WriteFile(staff, kStaff);
  recorded.lists.pick = 0;
  OpenSheet(staff);
  ClickTab(kIncomeTab);
  TypeInto(kIncomeTab, income::kBasicPerMonth, "1", true);
  ScopedService<MessageBoxes> realBoxes(MessageBoxes::Production());
  const auto buttons = [](QWidget* box) {
    QStringList texts;
    for (QPushButton* button : box->findChildren<QPushButton*>()) texts << button->text();
    texts.sort();
    return texts;
  };
  QStringList asked, closing;
  {
    const ExpectedModal box(CloseBy::EscapeKey, [&](QWidget* window) { asked = buttons(window); });
    ClickButton(sheet::kSave);
  }
  {
    const ExpectedModal box(CloseBy::EscapeKey, [&](QWidget* window) { closing = buttons(window); });
    ClickButton(IDCANCEL);
  }
  EXPECT_EQ(asked, (QStringList{"&Write into varnolix-files-real-staff.csv", "Cancel", "Save as a &New File…"}));
  EXPECT_EQ(closing, (QStringList{"&Discard", "&Save", "Cancel"}));
  EXPECT_TRUE(SheetIsOpen());
  EXPECT_EQ(Text(kIncomeTab, income::kBasicPerMonth), "1");
  EXPECT_EQ(ReadFile(staff), kStaff);
}

// Started with a file of several rows, the sheet opens the one picked on the Tax Results
// page and prints what that page shows, naming the row, on the day the clock gives; once
// an entry is changed, the sheet says so.
TEST_F(SheetTest, StartsWithItsFileAndPrintsWhatTheResultsPageShows) {
  struct FixedClock : Clock {
    std::chrono::year_month_day Today() override { return std::chrono::year(2027) / 3 / 31; }
  } clock;
  const ScopedService<Clock> clockInPlace(clock);
  const std::string payroll = TempPath("payroll.csv");
  WriteFile(payroll, "emp,basic_pm,rent_pm,hra_received_pm,80d,name\n7,5000,1000,800,,Ravi\n8,50000,8000,6000,12000,Asha Rao\n");
  recorded.lists.pick = 1;
  OpenSheet(payroll);
  EXPECT_EQ(recorded.lists.items, (std::vector<std::string>{"Line 2: 7 \u00B7 Ravi", "Line 3: 8 \u00B7 Asha Rao"}));
  ASSERT_EQ(sheet().GetActiveIndex(), kTaxResultsTab);
  const std::string taxPayable = Text(kTaxResultsTab, tax_results::kTaxPayable);

  const auto print = [this] {
    recorded.printers.pdf = TempPath("printed.pdf");
    QFile::remove(QString::fromStdString(recorded.printers.pdf));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QString::fromStdString(recorded.printers.pdf), QStringLiteral("-")});
    EXPECT_TRUE(text.waitForFinished(30000));
    return QString::fromUtf8(text.readAllStandardOutput()).simplified().toStdString();
  };
  const std::string printed = print();
  for (const std::string& expected :
       {std::string("Asha Rao"), std::string("Code 8"), std::string("31 March 2027 \u00B7 entries from varnolix-files-payroll.csv, line 3"),
        std::string("Tax Payable"), GroupIndian(taxPayable), std::string("12,000.00")}) {
    EXPECT_NE(printed.find(expected), std::string::npos) << expected << " not in:\n" << printed;
  }

  ClickTab(kIncomeTab);
  TypeInto(kIncomeTab, income::kAllowances1PerMonth, "100");
  const std::string changed = print();
  EXPECT_NE(changed.find("entries changed since opened from varnolix-files-payroll.csv, line 3"), std::string::npos)
      << changed;
}

}  // namespace
}  // namespace varnolix::test
