// Entries written back into their row of a payroll file: exactly that line changes, as
// the file writes its lines, and the tool's result and error columns hold what the tool
// writes for the row.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/payroll_document.h"
#include "tests/shared/files.h"

namespace varnolix::document {
namespace {

using test::FreshFolder;
using test::Read;
using test::Write;

struct Amount {
  Field field;
  double value;
};

Entries EntriesOf(std::initializer_list<Amount> amounts) {
  Entries entries;
  for (const Amount& amount : amounts) {
    entries.amounts[amount.field] = amount.value;
    entries.typed[amount.field] = std::to_string(amount.value);
  }
  return entries;
}

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
    const std::string path = FreshFolder() + "/pay.csv";
    Write(path, c.before);
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
  }
}

TEST(WriteBack, KeepsTheFilesPermissionsAndLeavesNoOtherFileBehind) {
  const std::string folder = FreshFolder();
  const std::string path = folder + "/pay.csv";
  Write(path, "code,basic_pm\nE1,1\nE2,2\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  PayrollDocument document;
  ASSERT_EQ(document.Open(path), "");
  ASSERT_EQ(document.Pick(0).problem, "");
  ASSERT_EQ(document.Save(kIntoItsLine, EntriesOf({{Field::kBasic, 7}})), "");
  EXPECT_EQ(Read(path), "code,basic_pm\nE1,7\nE2,2\n");
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

}  // namespace
}  // namespace varnolix::document
