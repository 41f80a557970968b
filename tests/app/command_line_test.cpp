// The program's command line as a person or a script meets it: help, version, a start
// without a display, and a PDF of computation sheets from a payroll file, checked against
// what the batch tool says of the same rows.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <string>
#include <vector>

#include "assessment/amount.h"
#include "assessment/fields.h"
#include "varnolix/version.h"

namespace varnolix::test {
namespace {

struct Finished {
  int status;
  std::string out;
  std::string err;
};

Finished Start(const QString& program, const QStringList& arguments,
          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString() << " did not finish";
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

Finished Varnolix(const QStringList& arguments) { return Start(QStringLiteral(VARNOLIX_PROGRAM), arguments); }

QString Temp(const char* name) { return QDir::tempPath() + "/varnolix-cli-" + name; }

// The text of each computation sheet in the PDF, one per sheet.
std::vector<std::string> SheetTexts(const QString& pdf) {
  const std::string text = Start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out;
  const std::string title = "Income tax computation";
  std::vector<std::string> sheets;
  for (size_t at = text.find(title); at != std::string::npos;) {
    const size_t next = text.find(title, at + title.size());
    sheets.push_back(text.substr(at, next - at));
    at = next;
  }
  return sheets;
}

TEST(ProgramCommandLine, HelpVersionAndAStartWithoutAnyDisplay) {
  const Finished help = Varnolix({QStringLiteral("--help")});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: Varnolix [FILE]\n       Varnolix --print-to-pdf OUT.pdf FILE\n")) << help.out;
  EXPECT_EQ(Varnolix({QStringLiteral("--version")}).out, std::string("Varnolix ") + kVersion + "\n");
  const Finished wrong = Varnolix({QStringLiteral("--frobnicate")});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err, "Varnolix: unknown option '--frobnicate'\nTry 'Varnolix --help' for more information.\n");

  QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) bare.remove(QString::fromLatin1(name));
  const Finished headless = Start(QStringLiteral(VARNOLIX_PROGRAM), {}, bare);
  EXPECT_EQ(headless.status, 2);
  EXPECT_EQ(headless.err,
            "Varnolix: needs a graphical session, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
}

// Each sheet holds its row's five results, grouped as a taxpayer reads them, and every
// figure of the working the batch tool explains for the row.
TEST(ProgramCommandLine, PrintsOneSheetPerRowWithTheBatchToolsResultsAndWorking) {
  const QString rows = QStringLiteral(VARNOLIX_ASSESSMENT_ROWS);
  const QString pdf = Temp("all.pdf");
  const Finished printed = Varnolix({QStringLiteral("--print-to-pdf"), pdf, rows});
  ASSERT_EQ(printed.status, 0) << printed.err;
  EXPECT_EQ(printed.err, "");
  const std::vector<std::string> sheets = SheetTexts(pdf);

  const Finished assessed = Start(QStringLiteral(VARNOLIX_ASSESS_TOOL), {rows});
  const Finished explained = Start(QStringLiteral(VARNOLIX_ASSESS_TOOL), {QStringLiteral("--explain"), rows});
  const QList<QByteArray> answers = QByteArray::fromStdString(assessed.out).trimmed().split('\n').mid(1);
  const QList<QByteArray> workings = QByteArray::fromStdString(explained.out).split('\n');
  ASSERT_EQ(sheets.size(), static_cast<size_t>(answers.size()));
  size_t sheet = 0;
  for (const QByteArray& line : workings) {
    if (line.startsWith("line ")) {
      sheet = static_cast<size_t>(line.mid(5).toLongLong()) - 2;  // the shared table has one record per line
      const QList<QByteArray> cells = answers[static_cast<qsizetype>(sheet)].split(',');
      for (size_t r = 0; r < kResultCount; ++r) {
        const std::string result = GroupIndian(cells[static_cast<qsizetype>(kFieldCount + r)].toStdString());
        EXPECT_NE(sheets[sheet].find(result), std::string::npos) << "row " << sheet + 2 << ": no result " << result;
      }
      continue;
    }
    // "    label    value    note": the value is the first word that is a number.
    for (const QByteArray& word : line.simplified().split(' ')) {
      if (word.isEmpty() || !(std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-')) continue;
      if (line.contains("Results")) break;
      const std::string figure = GroupIndian(word.toStdString());
      EXPECT_NE(sheets[sheet].find(figure), std::string::npos) << "row " << sheet + 2 << ": no figure " << figure;
      break;
    }
  }
}

TEST(ProgramCommandLine, PrintToPdfPrintsTheRowsItCanAndNamesTheOthers) {
  const QString payroll = Temp("payroll.csv");
  QFile file(payroll);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("name,basic_pm\nAsha,50000\nRavi,abc\nMala,\"1,00,000\"\n");
  file.close();

  const QString pdf = Temp("some.pdf");
  const Finished some = Varnolix({QStringLiteral("--print-to-pdf"), pdf, payroll});
  EXPECT_EQ(some.status, 1);
  EXPECT_EQ(some.err,
            "Varnolix: line 3, column basic_pm: 'abc' is not an amount\n"
            "Varnolix: 1 of 3 rows has errors, on line 3\n");
  const std::vector<std::string> sheets = SheetTexts(pdf);
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_NE(sheets[1].find("line 4: Mala"), std::string::npos);
  EXPECT_NE(sheets[1].find("12,00,000.00"), std::string::npos) << sheets[1];  // its annual basic

  const struct {
    QString pdf, file;
    std::string says;
  } unusable[] = {
      {Temp("none.pdf"), Temp("missing.csv"), "Varnolix: cannot open '" + Temp("missing.csv").toStdString() + "': "},
      {QStringLiteral("/proc/varnolix.pdf"), payroll, "Varnolix: cannot open '/proc/varnolix.pdf' for writing: "},
  };
  for (const auto& u : unusable) {
    QFile::remove(u.pdf);
    const Finished run = Varnolix({QStringLiteral("--print-to-pdf"), u.pdf, u.file});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with(u.says)) << run.err;
    EXPECT_FALSE(QFile::exists(u.pdf));
  }
}

}  // namespace
}  // namespace varnolix::test
