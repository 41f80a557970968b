// The document's rules without a window: the row opened is the row picked, only regular
// files are read, Save asks before a file is replaced and never writes over a file that
// changed since it was listed, and a row written back changes exactly its line.
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
namespace fs = std::filesystem;

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

Entries EntriesOf(std::initializer_list<std::pair<Field, double>> amounts) {
  Entries entries;
  for (const auto& [field, value] : amounts) {
    entries.amounts[field] = value;
    entries.typed[field] = std::to_string(value);
  }
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
  EXPECT_EQ(document.Save(source, EntriesOf({{Field::kBasic, 50000}})), refusal);
  EXPECT_EQ(document.Save(kIntoItsLine, EntriesOf({{Field::kBasic, 50000}})), refusal);
  EXPECT_EQ(Read(source), changed);
  // A file of its own does not depend on the payroll file.
  EXPECT_EQ(document.Save(folder + "/mine.csv", EntriesOf({{Field::kBasic, 50000}})), "");
  EXPECT_EQ(Read(folder + "/mine.csv").substr(0, 31), "employee_id,name,department,bas");
}

TEST(PayrollDocument, NamesItsRowAndTellsUnsavedEntriesFromSavedOnes) {
  const std::string folder = FreshFolder();
  const std::string source = folder + "/employees.csv";
  Write(source, kTwelveRows);
  PayrollDocument document;
  const Entries typed = EntriesOf({{Field::kBasic, 45000}});

  const auto state = [&] { return std::make_tuple(document.Title(), document.SuggestedSaveName(), document.CanWriteBack()); };
  EXPECT_EQ(state(), std::make_tuple(std::string(), std::string(), false));  // entries typed afresh
  EXPECT_FALSE(document.IsModified({}));
  EXPECT_TRUE(document.IsModified(typed.typed));

  ASSERT_EQ(document.Open(source), "");
  const OpenedRow opened = document.Pick(Listed(document, "Line 5: E1004"));
  ASSERT_EQ(opened.problem, "");
  EXPECT_EQ(state(), std::make_tuple(std::string("E1004 Priya Nair \u2013 employees.csv"), folder + "/employees-line-5.csv", true));
  const auto openRow = [&document] {
    const PayrollDocument::RowSource row = document.Source();
    return row.file + ", " + std::to_string(row.line) + ": " + row.who.code + " " + row.who.name;
  };
  EXPECT_EQ(openRow(), "employees.csv, 5: E1004 Priya Nair");
  EXPECT_FALSE(document.IsModified(opened.reading.typed));
  EXPECT_TRUE(document.IsModified(typed.typed));

  ASSERT_EQ(document.Save(kIntoItsLine, typed), "");
  EXPECT_FALSE(document.IsModified(typed.typed));
  EXPECT_EQ(state(), std::make_tuple(std::string("E1004 Priya Nair \u2013 employees.csv"), folder + "/employees-line-5.csv", true));

  ASSERT_EQ(document.Save(folder + "/employees-line-5.csv", EntriesOf({{Field::kBasic, 46000}})), "");
  EXPECT_EQ(state(), std::make_tuple(std::string("employees-line-5.csv"), folder + "/employees-line-5.csv", false));
  EXPECT_EQ(openRow(), "employees-line-5.csv, 0: E1004 Priya Nair");
  EXPECT_FALSE(document.IsModified(EntriesOf({{Field::kBasic, 46000}}).typed));
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
  ASSERT_EQ(document.Save(folder + "/ravi.csv", EntriesOf({{Field::kBasic, 20000.5}, {Field::k80D, 500}, {Field::kPpf, 70}})),
            "");
  EXPECT_EQ(Read(folder + "/ravi.csv"),
            "employee_id,Name,basic_pm,Dept,80d,allowances1_pm,allowances2_pm,lta_annual,rent_pm,hra_received_pm,"
            "profession_tax,80l,80e,80ccc,80dd,80ddb,pf_contribution,lic_premium,ppf,mutual_fund,other_investments,"
            "infrastructure_bond\n"
            "E2,\"Rao, Ravi\",20000.5,HR,500,,,,,,,,,,,,,,70,,,\n");
}

// Exactly the row's line changes, as the file writes its lines, and the tool's result and
// error columns hold what the tool writes for the row.
constexpr const char* kResultHeader = "taxable_hra,gross_salary,section80_benefit,section88_benefit,tax_payable,error";

TEST(WriteBack, ChangesExactlyTheLineOfTheRowAsTheFileWritesItsLines) {
  const struct {
    const char* name;
    std::string before;
    std::size_t pick;  // among the listed rows
    Entries entries;
    std::string after;  // empty: refused, and the file stays as it was
  } cases[] = {
      {"a quoted name kept, an amount emptied",
       "code,name,basic_pm,80d\nE1,Asha,10000,\nE2,\"Iyer, Meera\",45000,12000\nE3,Ravi,3000,\n", 1,
       EntriesOf({{Field::kBasic, 50000.25}}),
       "code,name,basic_pm,80d\nE1,Asha,10000,\nE2,\"Iyer, Meera\",50000.25,\nE3,Ravi,3000,\n"},
      {"a byte-order mark, CRLF, an empty line above and no line break at the end",
       "\xEF\xBB\xBF" "code,basic_pm\r\nE1,1\r\n\r\nE2,\"Rs 2,000\"", 1, EntriesOf({{Field::kBasic, 2500}}),
       "\xEF\xBB\xBF" "code,basic_pm\r\nE1,1\r\n\r\nE2,2500"},
      {"a line break inside a cell above", "name,basic_pm\n\"Rao\nAsha\",1\nRavi,2\n", 1,
       EntriesOf({{Field::kBasic, 3}}), "name,basic_pm\n\"Rao\nAsha\",1\nRavi,3\n"},
      {"the header's own spelling of a column", "Name,Basic_PM,80D\nAsha,1,\nRavi,2,\n", 0,
       EntriesOf({{Field::kBasic, 9}, {Field::k80D, 1000}}), "Name,Basic_PM,80D\nAsha,9,1000\nRavi,2,\n"},
      {"the tool's results, as the tool writes them",
       std::string("code,basic_pm,80d,") + kResultHeader + "\nE1,1,,0.00,12.00,0.00,0.00,0.00,\nE2,2,,0.00,24.00,0.00,0.00,0.00,\n", 0,
       EntriesOf({{Field::kBasic, 45000}, {Field::k80D, 12000}}),
       std::string("code,basic_pm,80d,") + kResultHeader +
           "\nE1,45000,12000,0.00,540000.00,12000.00,0.00,162360.00,\nE2,2,,0.00,24.00,0.00,0.00,0.00,\n"},
      {"the tool's error for a basic salary of 0",
       "code,basic_pm,error,tax_payable\nE1,1,,0.00\nE2,2,,0.00\n", 1, EntriesOf({{Field::kBasic, 0}}),
       "code,basic_pm,error,tax_payable\nE1,1,,0.00\nE2,0,\"line 3, column basic_pm: Basic PM must have some value.\",\n"},
      {"semicolons and bare CRs, a separator inside a name", "code;name;basic_pm\rE1;Rao, Asha;1\rE2;Ravi;2\r", 0,
       EntriesOf({{Field::kBasic, 5}}), "code;name;basic_pm\rE1;Rao, Asha;5\rE2;Ravi;2\r"},
      {"tabs", "code\tbasic_pm\nE1\t1\nE2\t2\n", 1, EntriesOf({{Field::kBasic, 7}}), "code\tbasic_pm\nE1\t1\nE2\t7\n"},
      {"an amount for a column the file lacks", "code,basic_pm\nE1,1\nE2,2\n", 0,
       EntriesOf({{Field::kBasic, 1}, {Field::k80D, 5}}), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = FreshFolder();
    const std::string path = folder + "/pay.csv";
    Write(path, c.before);
    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, permissions);
    PayrollDocument document;
    ASSERT_EQ(document.Open(path), "");
    ASSERT_EQ(document.Pick(c.pick).problem, "");
    const std::string problem = document.Save(kIntoItsLine, c.entries);
    EXPECT_EQ(Read(path), c.after.empty() ? c.before : c.after);
    if (c.after.empty()) {
      EXPECT_EQ(problem, "'" + path + "' has no 80d column to hold the amount typed for it; save the entries as a new file instead");
      continue;
    }
    EXPECT_EQ(problem, "");
    // Written back again, unchanged, it changes nothing: the document knows the file as written.
    EXPECT_EQ(document.Save(kIntoItsLine, c.entries), "");
    EXPECT_EQ(Read(path), c.after);
    // The file keeps its permissions, and nothing is left beside it.
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, permissions);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
  }
}

}  // namespace
}  // namespace varnolix::document
