#include "app/print_to_pdf.h"

#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/entries.h"
#include "assessment/amount.h"
#include "payroll/messages.h"
#include "payroll/output_file.h"
#include "payroll/payroll_file.h"
#include "payroll/system/input_file.h"
#include "platform/clock.h"
#include "report/paper.h"
#include "report/sheet_painter.h"
#include "varnolix/version.h"

namespace varnolix {
namespace {

using payroll::MessageText;
using Text = payroll::Message;

constexpr int kAllPrinted = 0;
constexpr int kSomeRefused = 1;
constexpr int kCannotUse = 2;

// Standard error names the refused rows, for a person or a script to read; the toolkit's
// remarks on a headless machine (no runtime folder, no session) would only mix with them.
void DropToolkitRemarks(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
  }
}

void Say(std::string_view text) { std::fprintf(stderr, "%s: %.*s\n", kProductName, static_cast<int>(text.size()), text.data()); }

}  // namespace

int PrintToPdf(int argc, char* argv[], const std::string& pdf, const std::string& file) {
  // Through a link or under another name, the PDF would take the place of its own input.
  if (payroll::system::SameFile(pdf, file)) {
    Say(MessageText(Text::kSameInputAndOutput, {pdf}));
    return kCannotUse;
  }
  // The input first, so that one that cannot be read, or is no regular file, leaves no
  // trace of an output.
  const payroll::system::InputFile input = payroll::system::OpenInputFile(file, /*regularOnly=*/true);
  if (input.fd < 0) {
    Say(input.problem);
    return kCannotUse;
  }
  const struct InputCloser {
    int fd;
    ~InputCloser() { payroll::system::CloseInputFile(fd); }
  } closeInput{input.fd};
  payroll::OutputFile output;
  if (!output.Open(pdf)) {
    Say(MessageText(Text::kCannotOpenOutput, {pdf, std::strerror(errno)}));
    return kCannotUse;
  }

  // Fonts and painting need the toolkit, but never a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(&DropToolkitRemarks);
  QGuiApplication application(argc, argv);
  QFile device;
  device.open(output.fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
  QPdfWriter writer(&device);
  writer.setPageSize(report::LocalePaper());
  writer.setTitle(QStringLiteral("Income tax computation"));
  writer.setCreator(QString::fromStdString(std::string(kProductName) + " " + kVersion));
  report::SheetPainter painter(writer);
  const std::string today = TodayText();
  const std::string fileName = std::filesystem::path(file).filename().string();

  long long rows = 0;
  long long refused = 0;
  long long firstRefused = 0;
  payroll::FdSource source(input.fd);
  const std::string problem = payroll::ReadRows(source, file, 0, [&](payroll::PickedRow& row) {
    ++rows;
    if (!row.reading.ok()) {
      for (const std::string& error : row.reading.errors) Say(error);
      if (refused++ == 0) firstRefused = row.line;
      return true;
    }
    if (row.nonUtf8) Say(MessageText(Text::kNotUtf8, {row.line}));
    painter.Paint(ComputationOf(SheetWho(row.who, fileName, row.line), today, row.reading.typed, kEveryPageShown));
    return painter.ok();
  });
  const bool painted = painter.Finish() && device.flush();
  // Any return before the commit leaves no OUT.pdf: the output file drops what was written.
  if (!problem.empty() || !painted) {
    Say(problem.empty() ? MessageText(Text::kCannotWriteOutput, {pdf, std::strerror(errno)}) : problem);
    return kCannotUse;
  }
  if (rows == refused) {
    Say("no row could be printed; " + pdf + " was not written");
    return kCannotUse;
  }
  if (!output.Commit()) {
    Say(MessageText(Text::kCannotWriteOutput, {pdf, std::strerror(errno)}));
    return kCannotUse;
  }
  if (refused == 0) return kAllPrinted;
  Say(payroll::RefusedRowsText(refused, rows, firstRefused));
  return kSomeRefused;
}

}  // namespace varnolix
