// The road of an assessment through the program, checked against the batch tool: each
// row of the shared table is typed into the program, page by page, skipping the pages
// the row leaves empty, and the tool assesses the same file. The five texts must agree,
// and so must the working the program copies and the working the tool explains. Saved,
// the entries give the tool the same results; opened from the table, the row shows them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <string>
#include <vector>

#include "assessment/fields.h"
#include "pages/field_controls.h"
#include "resources/resource_ids.h"
#include "tests/gui_support/sheet_fixture.h"

namespace varnolix::test {
namespace {

// The rows after the header, each split into its cells; the table holds plain numbers only.
std::vector<QList<QByteArray>> Rows(const QByteArray& csv) {
  std::vector<QList<QByteArray>> rows;
  for (const QByteArray& line : csv.trimmed().split('\n').mid(1)) rows.push_back(line.trimmed().split(','));
  return rows;
}

QByteArray RunTheTool(const QStringList& arguments) {
  QProcess tool;
  tool.start(QStringLiteral(VARNOLIX_ASSESS_TOOL), arguments);
  EXPECT_TRUE(tool.waitForFinished(60000)) << "varnolix-assess did not finish";
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  return tool.readAllStandardOutput();
}

// Each row's working as the tool explains it, without the line that names the row.
std::vector<std::string> Explanations(const QByteArray& explained) {
  std::vector<std::string> workings;
  for (const QByteArray& line : explained.split('\n')) {
    if (line.startsWith("line ")) {
      workings.emplace_back();
    } else if (!line.isEmpty() && !workings.empty()) {
      workings.back() += line.toStdString() + "\n";
    }
  }
  return workings;
}

TEST_F(SheetTest, TheProgramAndTheBatchToolGiveTheSameTextsAndTheSameWorking) {
  QFile table(QStringLiteral(VARNOLIX_ASSESSMENT_ROWS));
  ASSERT_TRUE(table.open(QIODevice::ReadOnly)) << VARNOLIX_ASSESSMENT_ROWS;
  const QByteArray csv = table.readAll();
  QByteArray header;
  for (const FieldInfo& info : kFields) header += (header.isEmpty() ? "" : ",") + QByteArray(info.column.data());
  ASSERT_TRUE(csv.startsWith(header + "\n")) << "the table's columns are not the fields' in their order";
  const std::vector<QList<QByteArray>> typed = Rows(csv);
  ASSERT_GE(typed.size(), 10u);

  const std::vector<QList<QByteArray>> assessed = Rows(RunTheTool({QStringLiteral(VARNOLIX_ASSESSMENT_ROWS)}));
  ASSERT_EQ(assessed.size(), typed.size());
  const std::vector<std::string> explained =
      Explanations(RunTheTool({QStringLiteral("--explain"), QStringLiteral(VARNOLIX_ASSESSMENT_ROWS)}));
  ASSERT_EQ(explained.size(), typed.size());

  const QString saved = QDir::tempPath() + QStringLiteral("/varnolix-agreement.csv");
  for (size_t r = 0; r < typed.size(); ++r) {
    SCOPED_TRACE("row " + std::to_string(r + 1) + ": " + typed[r].join(',').toStdString());
    ASSERT_EQ(typed[r].size(), static_cast<qsizetype>(kFieldCount));
    OpenSheet();
    for (const FieldInfo& info : kFields) {
      const int tab = static_cast<int>(info.page);  // the input pages are the first tabs, in order
      const QString amount = QString::fromLatin1(typed[r][static_cast<qsizetype>(info.field)]);
      if (amount.isEmpty()) continue;
      if (sheet().GetActiveIndex() != tab) ClickTab(tab);
      ASSERT_EQ(sheet().GetActiveIndex(), tab);
      TypeInto(tab, ControlsOf(info.field).controlId, amount);
      ASSERT_EQ(QString::fromStdString(Text(tab, ControlsOf(info.field).controlId)), amount) << "not typed as it stands";
    }
    const QList<QByteArray>& answer = assessed[r];
    ASSERT_EQ(answer.size(), static_cast<qsizetype>(kFieldCount + kResultCount + 1));
    EXPECT_EQ(answer.back(), "");  // no error
    const std::string results = answer.mid(kFieldCount, kResultCount).join(' ').toStdString();
    EXPECT_EQ(ShowResults(), results);
    EXPECT_EQ(CopyWorking(ids::tax_results::kTaxPayable, MenuBy::RightClick), explained[r]);

    // Saved, the entries give the tool the same results.
    QFile::remove(saved);
    recorded.files.paths = {saved.toStdString()};
    ClickButton(ids::sheet::kSave);
    const std::vector<QList<QByteArray>> fromSaved = Rows(RunTheTool({saved}));
    ASSERT_EQ(fromSaved.size(), 1u);
    EXPECT_EQ(fromSaved[0].mid(kFieldCount, kResultCount).join(' ').toStdString(), results);

    // Opened from the table, the row shows them too, every page counting as shown.
    OpenSheet();
    recorded.files.paths = {VARNOLIX_ASSESSMENT_ROWS};
    recorded.lists.pick = r;
    ClickButton(ids::sheet::kOpen);
    EXPECT_EQ(ShowResults(), results);
  }
}

}  // namespace
}  // namespace varnolix::test
