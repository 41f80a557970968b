// The program and the batch tool must give the same five texts for the same amounts:
// each row of the shared table is typed into every page of the program, and the tool
// assesses the same file.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <map>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

struct Column {
  const char* name;
  int tab;
  int id;
};

// Where a person types each column's amount.
constexpr Column kInputColumns[] = {
    {"basic_pm", kIncomeTab, income::kBasicPerMonth},
    {"allowances1_pm", kIncomeTab, income::kAllowances1PerMonth},
    {"allowances2_pm", kIncomeTab, income::kAllowances2PerMonth},
    {"lta_annual", kIncomeTab, income::kLtaTaxableAnnual},
    {"rent_pm", kIncomeTab, income::kRentPerMonth},
    {"hra_received_pm", kIncomeTab, income::kHraReceivedPerMonth},
    {"profession_tax", kStandardDeductionTab, standard_deduction::kProfessionTax},
    {"80l", kSection80Tab, section80::k80L},
    {"80d", kSection80Tab, section80::k80D},
    {"80e", kSection80Tab, section80::k80E},
    {"80ccc", kSection80Tab, section80::k80CCC},
    {"80dd", kSection80Tab, section80::k80DD},
    {"80ddb", kSection80Tab, section80::k80DDB},
    {"pf_contribution", kSection88Tab, section88::kPfContribution},
    {"lic_premium", kSection88Tab, section88::kLicPremium},
    {"ppf", kSection88Tab, section88::kPpf},
    {"mutual_fund", kSection88Tab, section88::kMutualFund},
    {"other_investments", kSection88Tab, section88::kOtherInvestments},
    {"infrastructure_bond", kSection88Tab, section88::kInfrastructureBond},
};

using Row = std::map<std::string, std::string>;

// The table holds plain numbers only, so no cell is quoted.
std::vector<Row> ParseCsv(const QByteArray& bytes) {
  std::vector<Row> rows;
  const QList<QByteArray> lines = bytes.trimmed().split('\n');
  if (lines.isEmpty()) return rows;
  const QList<QByteArray> header = lines.front().trimmed().split(',');
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QList<QByteArray> cells = lines[i].trimmed().split(',');
    Row row;
    for (qsizetype c = 0; c < header.size(); ++c) {
      row[header[c].toStdString()] = c < cells.size() ? cells[c].toStdString() : std::string();
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

class BatchAgreementTest : public SheetTest {};

TEST_F(BatchAgreementTest, TheProgramAndTheBatchToolGiveTheSameTexts) {
  QFile table(QStringLiteral(VARNOLIX_ASSESSMENT_ROWS));
  ASSERT_TRUE(table.open(QIODevice::ReadOnly)) << VARNOLIX_ASSESSMENT_ROWS;
  const std::vector<Row> typed = ParseCsv(table.readAll());
  ASSERT_GE(typed.size(), 10u);

  QProcess tool;
  tool.start(QStringLiteral(VARNOLIX_ASSESS_TOOL), {QStringLiteral(VARNOLIX_ASSESSMENT_ROWS)});
  ASSERT_TRUE(tool.waitForFinished(60000)) << "varnolix-assess did not finish";
  ASSERT_EQ(tool.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  const std::vector<Row> assessed = ParseCsv(tool.readAllStandardOutput());
  ASSERT_EQ(assessed.size(), typed.size());

  for (size_t r = 0; r < typed.size(); ++r) {
    SCOPED_TRACE("row " + std::to_string(r + 1) + ", basic " + typed[r].at("basic_pm"));
    OpenSheet();
    for (int tab = kIncomeTab; tab <= kSection88Tab; ++tab) {
      ClickTab(tab);
      ASSERT_EQ(sheet().GetActiveIndex(), tab);
      for (const Column& column : kInputColumns) {
        if (column.tab != tab) continue;
        const std::string& amount = typed[r].at(column.name);
        if (!amount.empty()) TypeInto(tab, column.id, QString::fromStdString(amount));
        ASSERT_EQ(Text(tab, column.id), amount) << column.name << " was not typed as it stands";
      }
    }
    const Results shown = ShowResults();
    const Row& answer = assessed[r];
    EXPECT_EQ(answer.at("error"), "");
    EXPECT_EQ(shown, (Results{answer.at("taxable_hra"), answer.at("gross_salary"), answer.at("section80_benefit"),
                              answer.at("section88_benefit"), answer.at("tax_payable")}));
  }
}

}  // namespace
}  // namespace varnolix::test
