#include "cli/tool.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "cli/file_format.h"
#include "cli/explain.h"
#include "cli/record_framer.h"
#include "cli/record_output.h"
#include "cli/row_assessment.h"
#include "payroll/ascii.h"
#include "payroll/file_header.h"
#include "payroll/system/input_file.h"
#include "payroll/system/standard_streams.h"

namespace varnolix::cli {
namespace {

void Report(std::string& diagnostics, Message message, std::initializer_list<MessageArg> args) {
  diagnostics += kToolName;
  diagnostics += ": ";
  AppendMessage(diagnostics, message, args);
  diagnostics += '\n';
}

void Report(std::string& diagnostics, std::string_view text) {
  diagnostics += kToolName;
  diagnostics += ": ";
  diagnostics += text;
  diagnostics += '\n';
}

void ReportFault(std::string& diagnostics, const RecordsEnd& end, std::string_view inputName) {
  if (end.fault != CsvFault::kNone) {
    Report(diagnostics, payroll::FaultMessage(end.fault, end.faultLine, end.readError, inputName));
  }
}

// Line breaks as the output's records end.
void EndLinesIn(std::string& text, std::string_view lineEnd) {
  if (lineEnd == "\n") return;
  std::string ended;
  for (char c : text) {
    if (c == '\n') {
      ended += lineEnd;
    } else {
      ended += c;
    }
  }
  text = std::move(ended);
}

// Writes each record's working instead of the CSV.
RecordsEnd ExplainRecords(CsvReader& reader, RowAssessor& row, const ColumnMap& columns, std::string_view lineEnd,
                          OutputBuffer& buffer, RowTally& tally) {
  std::string working;
  std::vector<NamedCell> who;
  while (!buffer.failed() && reader.Next()) {
    const std::span<const std::string_view> fields = reader.fields();
    const bool ok = row.Assess(fields, reader.line());
    tally.Count(ok, reader.line());
    who.clear();
    for (size_t index : columns.passthrough()) {
      if (index < fields.size()) who.emplace_back(payroll::TrimBlanks(columns.header(index)), fields[index]);
    }
    working.clear();
    if (tally.rows > 1) working += '\n';
    AppendExplanation(working, reader.line(), who, row, ok);
    EndLinesIn(working, lineEnd);
    buffer.Append(working);
  }
  return RecordsEnd::Of(reader);
}

}  // namespace

int AssessStream(const Options& options, ByteSource& in, ByteSink& out, const StreamNames& names,
                 std::string& diagnostics, const Parallelism& parallelism) {
  CsvReader reader(in);
  OutputBuffer buffer(out);

  std::string problem;
  const std::optional<ColumnMap> header = payroll::ReadHeader(reader, names.input, problem);
  if (!header) {
    Report(diagnostics, problem);
    return kExitFailed;
  }
  const ColumnMap& columns = *header;
  // The output keeps the input's byte-order mark and line breaks, so that it opens in a
  // spreadsheet as the input did.
  const std::string_view lineEnd = reader.lineBreak();
  CsvWriter writer(buffer, lineEnd, reader.dialect().separator);
  if (reader.hadByteOrderMark()) buffer.Append("\xEF\xBB\xBF");
  if (!options.explain) {
    for (std::string_view field : reader.fields()) writer.Field(field);
    for (const ResultInfo& result : kResults) writer.Field(result.column);
    writer.Field("error");
    writer.EndRecord();
  }

  const AmountReading reading = options.lenient ? AmountReading::kLenient : AmountReading::kStrict;
  const unsigned threads = AssessingThreads(parallelism);
  RowTally tally;
  RecordsEnd end;
  if (options.explain) {
    RowAssessor row(columns, reading);
    end = ExplainRecords(reader, row, columns, lineEnd, buffer, tally);
  } else if (threads <= 1) {
    RowAssessor row(columns, reading);
    AssessRecords(reader, row, columns.fieldCount(), buffer, tally, lineEnd);
    end = RecordsEnd::Of(reader);
  } else {
    RecordFramer framer(reader.source(), reader.dialect(), reader.unread(), reader.nextLine(), reader.sourceEnded(),
                        CsvLimits{}.maxRecordBytes);
    end = AssessInParallel(framer, columns, reading, threads, parallelism.chunkBytes, reader.dialect(), lineEnd, buffer,
                           tally);
  }

  const bool flushed = buffer.Flush();  // rows already read stay written, whatever follows
  if (end.fault != CsvFault::kNone) {
    ReportFault(diagnostics, end, names.input);
    return kExitFailed;
  }
  if (!flushed) {
    Report(diagnostics, Message::kCannotWriteOutput, {names.output, std::strerror(buffer.error())});
    return kExitFailed;
  }
  if (tally.refused > 0) {
    Report(diagnostics, payroll::RefusedRowsText(tally.refused, tally.rows, tally.firstRefusedLine));
    return kExitSomeRowsRefused;
  }
  return kExitAllAssessed;
}

namespace {

int WriteAll(int fd, std::string_view text) {
  FdSink sink(fd);
  return sink.Write(text) ? kExitAllAssessed : kExitFailed;
}

}  // namespace

int RunTool(std::span<const std::string_view> args) {
  std::string diagnostics;
  auto finish = [&](int status) {
    if (!diagnostics.empty()) (void)payroll::system::WriteStandardError(diagnostics);
    return status;
  };

  const ParsedOptions parsed = ParseOptions(args);
  if (!parsed.error.empty()) {
    diagnostics = std::string(kToolName) + ": " + parsed.error + "\nTry '" + std::string(kToolName) +
                  " --help' for more information.\n";
    return finish(kExitFailed);
  }
  const Options& options = parsed.options;
  if (options.help || options.version) {
    const int status = WriteAll(payroll::system::StandardOutput(), options.help ? HelpText() : VersionText());
    if (status != kExitAllAssessed) Report(diagnostics, Message::kCannotWriteOutput, {"standard output", std::strerror(errno)});
    return finish(status);
  }

  StreamNames names;
  int input = payroll::system::StandardInput();
  if (!options.input.empty()) {
    names.input = options.input;
    const payroll::system::InputFile opened = payroll::system::OpenInputFile(options.input, false);
    if (opened.fd < 0) {
      Report(diagnostics, opened.problem);
      return finish(kExitFailed);
    }
    input = opened.fd;
  }
  OutputFile output;
  if (options.output.empty()) {
    output.OpenStandardOutput();
  } else {
    names.output = options.output;
    // Standard input too: "-o pay.csv < pay.csv" would put the output in its input's place.
    if (payroll::system::SameRegularFile(input, options.output)) {
      Report(diagnostics, Message::kSameInputAndOutput, {options.output});
      return finish(kExitFailed);
    }
    if (!output.Open(options.output)) {
      Report(diagnostics, payroll::OutputFailureText(Message::kCannotOpenOutput, options.output, output.failure()));
      return finish(kExitFailed);
    }
  }

  FdSource source(input);
  FdSink sink(output.fd());
  int status = AssessStream(options, source, sink, names, diagnostics, {.threads = options.threads});
  if (!options.input.empty()) payroll::system::CloseInputFile(input);
  // The output file appears only when the input could be read to its end.
  if (status == kExitFailed) {
    output.Discard();
  } else if (!output.Commit()) {
    Report(diagnostics, payroll::OutputFailureText(Message::kCannotWriteOutput, names.output, output.failure()));
    status = kExitFailed;
  }
  return finish(status);
}

}  // namespace varnolix::cli
