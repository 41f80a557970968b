// The program's command line as a person or a script meets it: help, version, a start
// without a display, and a PDF of computation sheets from a payroll file, checked against
// what the batch tool says of the same rows.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(), int waitMs = 120000) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(waitMs)) << program.toStdString() << " did not finish";
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

Finished Varnolix(const QStringList& arguments, int waitMs = 120000) {
  return Start(QStringLiteral(VARNOLIX_PROGRAM), arguments, QProcessEnvironment::systemEnvironment(), waitMs);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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
  // A record of bare separators is no row; bytes that are not UTF-8 are named and printed as such.
  WriteFile(payroll, "name,basic_pm\nAsha,50000\nRavi,abc\n , \nMala,\"1,00,000\"\nJos\xE9,40000\n");

  const QString pdf = Temp("some.pdf");
  const Finished some = Varnolix({QStringLiteral("--print-to-pdf"), pdf, payroll});
  EXPECT_EQ(some.status, 1);
  EXPECT_EQ(some.err,
            "Varnolix: line 3, column basic_pm: 'abc' is not an amount\n"
            "Varnolix: line 6: a cell holds bytes that are not UTF-8 text, shown as \uFFFD\n"
            "Varnolix: 1 of 4 rows has errors, on line 3\n");
  const std::vector<std::string> sheets = SheetTexts(pdf);
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_NE(sheets[1].find("line 5: Mala"), std::string::npos);
  EXPECT_NE(sheets[1].find("12,00,000.00"), std::string::npos) << sheets[1];  // its annual basic
  EXPECT_NE(sheets[2].find("line 6: Jos\uFFFD"), std::string::npos) << sheets[2];

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

// OUT.pdf naming the input, by any name, is refused before anything is written; a file
// that is no regular file is refused at once; and with no row printed no PDF is left.
TEST(ProgramCommandLine, PrintToPdfNeverWritesOverItsInputAndExits2WhenNothingIsPrinted) {
  const QByteArray rows = "name,basic_pm\nAsha,50000\n";
  const QString payroll = Temp("own.csv");
  WriteFile(payroll, rows);
  for (const QString& link : {Temp("own-hard.pdf"), Temp("own-soft.pdf")}) QFile::remove(link);
  ASSERT_EQ(::link(payroll.toLocal8Bit().constData(), Temp("own-hard.pdf").toLocal8Bit().constData()), 0);
  ASSERT_TRUE(QFile::link(payroll, Temp("own-soft.pdf")));
  for (const QString& pdf : {payroll, Temp("own-hard.pdf"), Temp("own-soft.pdf")}) {
    SCOPED_TRACE(pdf.toStdString());
    const Finished run = Varnolix({QStringLiteral("--print-to-pdf"), pdf, payroll});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Varnolix: '" + pdf.toStdString() + "' is both the input and the output\n");
    EXPECT_EQ(ReadFile(payroll), rows);
  }

  const QString pipe = Temp("pipe.csv");
  QFile::remove(pipe);
  ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  const QString refusedAll = Temp("refused-all.csv");
  WriteFile(refusedAll, "name,basic_pm\nRavi,abc\n");
  const struct {
    QString file;
    std::string says;
  } nothing[] = {
      {pipe, "Varnolix: '" + pipe.toStdString() + "' is a named pipe, not a file of rows; open a CSV file\n"},
      {refusedAll, "Varnolix: line 2, column basic_pm: 'abc' is not an amount\nVarnolix: no row could be printed; " +
                       Temp("nothing.pdf").toStdString() + " was not written\n"},
  };
  for (const auto& n : nothing) {
    SCOPED_TRACE(n.file.toStdString());
    QFile::remove(Temp("nothing.pdf"));
    const Finished run = Varnolix({QStringLiteral("--print-to-pdf"), Temp("nothing.pdf"), n.file}, 10000);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, n.says);
    EXPECT_FALSE(QFile::exists(Temp("nothing.pdf")));
  }
  QFile::remove(pipe);
}

}  // namespace
}  // namespace varnolix::test
