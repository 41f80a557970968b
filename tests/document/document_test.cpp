// The document's rules without a window: the row opened is the row picked, only regular
// files are read, and Save asks before a file is replaced and never writes over a file
// that changed since it was listed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "document/payroll_document.h"
#include "tests/shared/files.h"

namespace varnolix::document {
namespace {

using test::FreshFolder;
using test::Read;
using test::Write;
using Kind = SaveQuestion::Kind;

const std::string kTwelveRows =
    "employee_id,name,department,basic_pm,80d\n"
    "E1001,Asha Rao,Accounts,10000,\n"
    "E1002,\"Iyer, Meera\",Legal,25000,18000\n"
    "E1003,Ravi Kumar,Stores,3000,\n"
    "E1004,Priya Nair,Engineering,45000,12000\n"
    "E1005,Arjun Menon,Engineering,62500.50,15000\n"
    "E1006,Fatima Khan,Support,18000,8000\n"
    "E1007,Joseph D'Souza,Sales,32000,\n"
    "E1008,Deepa Gupta,Accounts,12345.67,\n"
    "E1009,Vikram Singh,Engineering,150000,15000\n"
    "E1010,Neha Joshi,Support,9000,\n"
    "E1011,Kiran Das,Sales,21000,\n"
    "E1012,Sunil Patel,Stores,8000,\n";

// The index of the listed row whose item starts with `start`.
std::size_t Listed(const PayrollDocument& document, const std::string& start) {
  for (std::size_t i = 0; i < document.ListedCount(); ++i) {
    if (document.ListedItem(i).starts_with(start)) return i;
  }
  ADD_FAILURE() << "no row listed as " << start;
  return 0;
}

Entries EntriesWithBasic(double basic) {
  Entries entries;
  entries.amounts[Field::kBasic] = basic;
  entries.typed[Field::kBasic] = std::to_string(basic);
  return entries;
}

// Two rows swapped, as when a spreadsheet saves a sorted sheet.
std::string Swapped(std::string file, const std::string& first, const std::string& second) {
  const size_t a = file.find(first), b = file.find(second);
  const size_t aEnd = file.find('\n', a) + 1, bEnd = file.find('\n', b) + 1;
  return file.substr(0, a) + file.substr(b, bEnd - b) + file.substr(aEnd, b - aEnd) + file.substr(a, aEnd - a) + file.substr(bEnd);
}

// The reported fault first: the file sorted again between the list and the pick.
TEST(PayrollDocument, OpensOnlyTheRecordThatWasListedOnItsLine) {
  const std::string changed = "' changed after its rows were listed; open it again";
  const struct {
    const char* change;
    std::function<std::string(const std::string&)> rewrite;
    std::string problem;  // after the file's name; empty when the row opens
  } cases[] = {
      {"saved again in another row order", [](const std::string& f) { return Swapped(f, "E1005", "E1008"); }, changed},
      {"a row removed above", [](std::string f) { return f.erase(f.find("E1002"), f.find("E1003") - f.find("E1002")); }, changed},
      {"its own amount changed", [](std::string f) { return f.replace(f.find("62500.50"), 8, "62500.55"); }, changed},
      {"the rows below it removed", [](const std::string& f) { return f.substr(0, f.find("E1005")); }, changed},
      {"the file emptied", [](const std::string&) { return std::string(); }, "' is empty"},
      {"another row changed", [](std::string f) { return f.replace(f.find("Sunil"), 5, "Sunny"); }, ""},
      {"a row of bare separators added", [](const std::string& f) { return f + ",,,,\n"; }, ""},
      {"unchanged", [](const std::string& f) { return f; }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    const std::string path = FreshFolder() + "/employees.csv";
    Write(path, kTwelveRows);
    PayrollDocument document;
    ASSERT_EQ(document.Open(path), "");
    ASSERT_EQ(document.ListedCount(), 12u);
    const std::size_t e1005 = Listed(document, "Line 6: E1005");
    Write(path, c.rewrite(kTwelveRows));
    const OpenedRow opened = document.Pick(e1005);
    if (c.problem.empty()) {
      EXPECT_EQ(opened.problem, "");
      EXPECT_EQ(opened.reading.typed[Field::kBasic], "62500.50");
      EXPECT_EQ(document.Title(), "E1005 Arjun Menon \u2013 employees.csv");
    } else {
      EXPECT_EQ(opened.problem, "'" + path + c.problem);
      EXPECT_EQ(document.Title(), "");  // nothing was opened
    }
  }
}

// A named pipe, which would block the window, is tested there, under a watchdog.
TEST(PayrollDocument, RefusesAtOnceWhatIsNoRegularFileAndNamesWhatItIs) {
  const std::string folder = FreshFolder();
  for (const auto& [path, what] : {std::pair<std::string, std::string>{folder, "a folder"}, {"/dev/null", "a device"}}) {
    PayrollDocument document;
    EXPECT_EQ(document.Open(path), "'" + path + "' is " + what + ", not a file of rows; open a CSV file");
    EXPECT_EQ(document.ListedCount(), 0u);
  }
}

// Each row by its line, code, name and department, whatever the header calls them; a find
// looks through every cell that is no amount, and a record of bare separators is no row.
TEST(PayrollDocument, ListsEachRowByWhoItIsAndLetsAFindSeeEveryCellThatIsNoAmount) {
  const std::string path = FreshFolder() + "/staff.csv";
  Write(path,
        "Emp ID,basic_pm,Employee Name,Dept.,PAN,taxable_hra,Location\n"
        "E1004,45000,Meera Iyer,Finance,ABCPI1234F,0.00,Pune\n"
        ",,,,,,\n"
        "E1005,5000,\"Rao,\nAsha\",,,,\n");
  PayrollDocument document;
  ASSERT_EQ(document.Open(path), "");
  ASSERT_EQ(document.ListedCount(), 2u);
  EXPECT_EQ(document.ListedItem(0), "Line 2: E1004 \u00B7 Meera Iyer \u00B7 Finance");
  EXPECT_EQ(document.ListedItem(1), "Line 4: E1005 \u00B7 Rao, Asha");
  const std::string_view found = document.ListedSearchText(0);
  for (const char* cell : {"E1004", "Meera Iyer", "Finance", "ABCPI1234F", "Pune"}) {
    EXPECT_NE(found.find(cell), std::string_view::npos) << cell;
  }
  for (const char* amount : {"45000", "0.00"}) EXPECT_EQ(found.find(amount), std::string_view::npos) << amount;
  EXPECT_EQ(document.ListingNote(), "");
}

// The file's own question replaces the file dialog's: "holds 12 rows" for the file the
// row came from, by whatever name it is reached; "already exists" for any other file.
TEST(PayrollDocument, AsksBeforeReplacingAFileAndNamesTheRowsOfTheFileTheRowCameFrom) {
  const std::string folder = FreshFolder();
  const std::string source = folder + "/employees.csv";
  Write(source, kTwelveRows);
  const std::string other = folder + "/other.csv";
  Write(other, "basic_pm\n1\n");
  std::filesystem::create_hard_link(source, folder + "/hard.csv");
  std::filesystem::create_symlink(source, folder + "/soft.csv");
  const std::string oneRow = folder + "/one.csv";
  Write(oneRow, "name,basic_pm\nAsha,1000\n");

  const struct {
    std::string opened;  // the file the row came from; empty for entries typed afresh
    std::string target;
    Kind kind;
    std::string text;
  } cases[] = {
      {source, source, Kind::kReplaceRows, "employees.csv holds 12 rows. Replace them all with this one row?"},
      {source, folder + "/hard.csv", Kind::kReplaceRows, "hard.csv holds 12 rows. Replace them all with this one row?"},
      {source, folder + "/soft.csv", Kind::kReplaceRows, "soft.csv holds 12 rows. Replace them all with this one row?"},
      {source, other, Kind::kReplaceFile, "other.csv already exists. Replace it?"},
      {source, folder + "/employees-line-5.csv", Kind::kNone, ""},
      {oneRow, oneRow, Kind::kNone, ""},
      {"", source, Kind::kReplaceFile, "employees.csv already exists. Replace it?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.opened + " saved as " + c.target);
    PayrollDocument document;
    if (!c.opened.empty()) {
      ASSERT_EQ(document.Open(c.opened), "");
      ASSERT_EQ(document.Pick(document.ListedCount() - 1).problem, "");
    }
    const SaveQuestion question = document.QuestionBeforeSaving(c.target);
    EXPECT_EQ(question.problem, "");
    EXPECT_EQ(question.kind, c.kind);
    EXPECT_EQ(question.text, c.text);
  }
}

// Whatever depends on the file is checked again just before it is written: its row
// count in the question, its other rows when the row is written back.
TEST(PayrollDocument, SaveRefusesToWriteOverAFileThatChangedSinceItWasListed) {
  const std::string folder = FreshFolder();
  const std::string source = folder + "/employees.csv";
  Write(source, kTwelveRows);
  PayrollDocument document;
  ASSERT_EQ(document.Open(source), "");
  ASSERT_EQ(document.Pick(Listed(document, "Line 5: E1004")).problem, "");
  const std::string changed = kTwelveRows + "E1013,Mala Pillai,Legal,40000,\n";
  Write(source, changed);

  const std::string refusal = "'" + source + "' changed after its rows were listed; open it again";
  EXPECT_EQ(document.QuestionBeforeSaving(source).problem, refusal);
  EXPECT_EQ(document.Save(source, EntriesWithBasic(50000)), refusal);
  EXPECT_EQ(document.Save(kIntoItsLine, EntriesWithBasic(50000)), refusal);
  EXPECT_EQ(Read(source), changed);
  // A file of its own does not depend on the payroll file.
  EXPECT_EQ(document.Save(folder + "/mine.csv", EntriesWithBasic(50000)), "");
  EXPECT_EQ(Read(folder + "/mine.csv").substr(0, 31), "employee_id,name,department,bas");
}

TEST(PayrollDocument, NamesItsRowAndTellsUnsavedEntriesFromSavedOnes) {
  const std::string folder = FreshFolder();
  const std::string source = folder + "/employees.csv";
  Write(source, kTwelveRows);
  PayrollDocument document;
  const Entries typed = EntriesWithBasic(45000);

  const auto state = [&] { return std::make_tuple(document.Title(), document.SuggestedSaveName(), document.CanWriteBack()); };
  EXPECT_EQ(state(), std::make_tuple(std::string(), std::string(), false));  // entries typed afresh
  EXPECT_FALSE(document.IsModified({}));
  EXPECT_TRUE(document.IsModified(typed.typed));

  ASSERT_EQ(document.Open(source), "");
  const OpenedRow opened = document.Pick(Listed(document, "Line 5: E1004"));
  ASSERT_EQ(opened.problem, "");
  EXPECT_EQ(state(), std::make_tuple(std::string("E1004 Priya Nair \u2013 employees.csv"), folder + "/employees-line-5.csv", true));
  EXPECT_EQ(document.Subject(), "employees.csv, line 5: E1004 Priya Nair");
  EXPECT_FALSE(document.IsModified(opened.reading.typed));
  EXPECT_TRUE(document.IsModified(typed.typed));

  ASSERT_EQ(document.Save(kIntoItsLine, typed), "");
  EXPECT_FALSE(document.IsModified(typed.typed));
  EXPECT_EQ(state(), std::make_tuple(std::string("E1004 Priya Nair \u2013 employees.csv"), folder + "/employees-line-5.csv", true));

  ASSERT_EQ(document.Save(folder + "/employees-line-5.csv", EntriesWithBasic(46000)), "");
  EXPECT_EQ(state(), std::make_tuple(std::string("employees-line-5.csv"), folder + "/employees-line-5.csv", false));
  EXPECT_EQ(document.Subject(), "employees-line-5.csv: E1004 Priya Nair");
  EXPECT_FALSE(document.IsModified(EntriesWithBasic(46000).typed));
  // Saved again over itself, a file of one row asks nothing.
  EXPECT_EQ(document.QuestionBeforeSaving(folder + "/employees-line-5.csv").kind, Kind::kNone);

  // A failed open leaves the open row as it was.
  EXPECT_NE(document.Open(folder + "/missing.csv"), "");
  EXPECT_EQ(document.Title(), "employees-line-5.csv");
}

// The saved row keeps the other columns where its file had them; the tool's results and
// errors are dropped; the amount columns the file lacked follow in the fields' order.
TEST(PayrollDocument, ASavedRowKeepsTheColumnsOfItsFileInTheirOrder) {
  const std::string folder = FreshFolder();
  const std::string source = folder + "/assessed.csv";
  Write(source,
        "employee_id,Name,basic_pm,tax_payable,Dept,80d,error\n"
        "E1,Asha,10000,12540.00,Sales,,\n"
        "E2,\"Rao, Ravi\",20000,1.00,HR,500,\n");
  PayrollDocument document;
  ASSERT_EQ(document.Open(source), "");
  ASSERT_EQ(document.Pick(1).problem, "");
  Entries entries = EntriesWithBasic(20000.5);
  entries.amounts[Field::k80D] = 500;
  entries.amounts[Field::kPpf] = 70;
  ASSERT_EQ(document.Save(folder + "/ravi.csv", entries), "");
  EXPECT_EQ(Read(folder + "/ravi.csv"),
            "employee_id,Name,basic_pm,Dept,80d,allowances1_pm,allowances2_pm,lta_annual,rent_pm,hra_received_pm,"
            "profession_tax,80l,80e,80ccc,80dd,80ddb,pf_contribution,lic_premium,ppf,mutual_fund,other_investments,"
            "infrastructure_bond\n"
            "E2,\"Rao, Ravi\",20000.5,HR,500,,,,,,,,,,,,,,70,,,\n");
}

}  // namespace
}  // namespace varnolix::document
