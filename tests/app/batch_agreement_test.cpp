// The road of an assessment through the program, checked against the batch tool: each
// row of the shared table is typed into the program, page by page, skipping the pages
// the row leaves empty, and the tool assesses the same file. The five texts must agree.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

using namespace ids;

// Where a person types each column's amount, in the table's column order.
constexpr std::pair<int, int> kInputColumns[] = {
    {kIncomeTab, income::kBasicPerMonth},        {kIncomeTab, income::kAllowances1PerMonth},
    {kIncomeTab, income::kAllowances2PerMonth},  {kIncomeTab, income::kLtaTaxableAnnual},
    {kIncomeTab, income::kRentPerMonth},         {kIncomeTab, income::kHraReceivedPerMonth},
    {kStandardDeductionTab, standard_deduction::kProfessionTax},
    {kSection80Tab, section80::k80L},            {kSection80Tab, section80::k80D},
    {kSection80Tab, section80::k80E},            {kSection80Tab, section80::k80CCC},
    {kSection80Tab, section80::k80DD},           {kSection80Tab, section80::k80DDB},
    {kSection88Tab, section88::kPfContribution}, {kSection88Tab, section88::kLicPremium},
    {kSection88Tab, section88::kPpf},            {kSection88Tab, section88::kMutualFund},
    {kSection88Tab, section88::kOtherInvestments}, {kSection88Tab, section88::kInfrastructureBond},
};

// The rows after the header, each split into its cells; the table holds plain numbers only.
std::vector<QList<QByteArray>> Rows(const QByteArray& csv) {
  std::vector<QList<QByteArray>> rows;
  for (const QByteArray& line : csv.trimmed().split('\n').mid(1)) rows.push_back(line.trimmed().split(','));
  return rows;
}

TEST_F(SheetTest, TheProgramAndTheBatchToolGiveTheSameTexts) {
  QFile table(QStringLiteral(VARNOLIX_ASSESSMENT_ROWS));
  ASSERT_TRUE(table.open(QIODevice::ReadOnly)) << VARNOLIX_ASSESSMENT_ROWS;
  const QByteArray csv = table.readAll();
  ASSERT_TRUE(csv.startsWith("basic_pm,allowances1_pm,allowances2_pm,lta_annual,rent_pm,hra_received_pm,"
                             "profession_tax,80l,80d,80e,80ccc,80dd,80ddb,pf_contribution,lic_premium,ppf,"
                             "mutual_fund,other_investments,infrastructure_bond\n"));
  const std::vector<QList<QByteArray>> typed = Rows(csv);
  ASSERT_GE(typed.size(), 10u);

  QProcess tool;
  tool.start(QStringLiteral(VARNOLIX_ASSESS_TOOL), {QStringLiteral(VARNOLIX_ASSESSMENT_ROWS)});
  ASSERT_TRUE(tool.waitForFinished(60000)) << "varnolix-assess did not finish";
  ASSERT_EQ(tool.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  const std::vector<QList<QByteArray>> assessed = Rows(tool.readAllStandardOutput());
  ASSERT_EQ(assessed.size(), typed.size());

  for (size_t r = 0; r < typed.size(); ++r) {
    SCOPED_TRACE("row " + std::to_string(r + 1) + ": " + typed[r].join(',').toStdString());
    ASSERT_EQ(typed[r].size(), 19);
    OpenSheet();
    for (int column = 0; column < 19; ++column) {
      const auto [tab, id] = kInputColumns[column];
      const QString amount = QString::fromLatin1(typed[r][column]);
      if (amount.isEmpty()) continue;
      if (sheet().GetActiveIndex() != tab) ClickTab(tab);
      ASSERT_EQ(sheet().GetActiveIndex(), tab);
      TypeInto(tab, id, amount);
      ASSERT_EQ(QString::fromStdString(Text(tab, id)), amount) << "not typed as it stands";
    }
    const QList<QByteArray>& answer = assessed[r];
    ASSERT_EQ(answer.size(), 19 + 6);
    EXPECT_EQ(answer.back(), "");  // no error
    EXPECT_EQ(ShowResults(), answer.mid(19, 5).join(' ').toStdString());
  }
}

}  // namespace
}  // namespace varnolix::test
