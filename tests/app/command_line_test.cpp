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

// In the fonts it prints in, each example employee's sheet takes one page of A4, says
// whose it is, and gives the five results the batch tool gives for the row.
TEST(ProgramCommandLine, PrintsEachExampleEmployeeOnOnePageWithTheToolsResults) {
  const QString examples = QStringLiteral(VARNOLIX_EXAMPLE_EMPLOYEES);
  const QString pdf = Temp("examples.pdf");
  const Finished printed = Varnolix({QStringLiteral("--print-to-pdf"), pdf, examples});
  EXPECT_EQ(printed.status, 1) << printed.err;  // one basic salary is a dash
  const QStringList pages =
      QString::fromStdString(Start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out)
          .split(u'\f', Qt::SkipEmptyParts);
  const QStringList answers =
      QString::fromStdString(Start(QStringLiteral(VARNOLIX_ASSESS_TOOL), {examples}).out).trimmed().split(u'\n').mid(1);
  ASSERT_EQ(pages.size(), 11);
  qsizetype page = 0;
  for (const QString& answer : answers) {
    if (!answer.endsWith(u',')) continue;  // refused, with its error in the last cell: not printed
    const QStringList cells = answer.split(u',');  // the results and the error are the last cells
    const QString& text = pages.value(page++);
    EXPECT_TRUE(text.contains(QStringLiteral("Code ") + cells.front())) << text.toStdString();
    for (qsizetype r = 0; r < static_cast<qsizetype>(kResultCount); ++r) {
      const std::string result = GroupIndian(cells[cells.size() - 1 - static_cast<qsizetype>(kResultCount) + r].toStdString());
      EXPECT_TRUE(text.contains(QString::fromStdString(result))) << cells.front().toStdString() << ": no " << result;
    }
  }
  EXPECT_EQ(page, 11);
}

TEST(ProgramCommandLine, PrintToPdfPrintsTheRowsItCanAndNamesTheOthers) {
  const QString payroll = Temp("payroll.csv");
  // A record of bare separators is no row; bytes that are not UTF-8 are named and printed as such.
  WriteFile(payroll, "name,basic_pm\nAsha,50000\nRavi,abc\n , \nMala,\"1,00,000\"\nJos\xE9,40000\n"
                     "\u0905\u0928\u0928\u094D\u092F\u093E,30000\n");

  const QString pdf = Temp("some.pdf");
  const Finished some = Varnolix({QStringLiteral("--print-to-pdf"), pdf, payroll});
  EXPECT_EQ(some.status, 1);
  EXPECT_EQ(some.err,
            "Varnolix: line 3, column basic_pm: 'abc' is not an amount\n"
            "Varnolix: line 6: a cell holds bytes that are not UTF-8 text, shown as \uFFFD\n"
            "Varnolix: 1 of 5 rows has errors, on line 3\n");
  const std::vector<std::string> sheets = SheetTexts(pdf);
  ASSERT_EQ(sheets.size(), 4u);
  for (const auto& [sheet, said] : {std::pair<std::size_t, const char*>{1, "Mala"}, {1, "payroll.csv, line 5"},
                                    {1, "12,00,000.00"},  // its annual basic
                                    {2, "Jos\uFFFD"}, {2, "payroll.csv, line 6"}}) {
    EXPECT_NE(sheets[sheet].find(said), std::string::npos) << said << " not in:\n" << sheets[sheet];
  }
  // The name in Devanagari is set in a font that has its letters, embedded in the PDF.
  const std::string fonts = Start(QStringLiteral("pdffonts"), {pdf}).out;
  EXPECT_NE(fonts.find("NotoSansDevanagari-Bold"), std::string::npos) << fonts;
  for (const QString& line : QString::fromStdString(fonts).split(u'\n', Qt::SkipEmptyParts).mid(2)) {
    const QStringList columns = line.simplified().split(u' ');  // ... emb sub uni object ID
    EXPECT_EQ(columns.value(columns.size() - 5), QStringLiteral("yes")) << "not embedded: " << line.toStdString();
  }

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
