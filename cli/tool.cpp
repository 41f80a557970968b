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

void Report(ByteSink& diagnostics, std::string_view text) {
  std::string line;
  line += kToolName;
  line += ": ";
  line += text;
  line += '\n';
  (void)diagnostics.Write(line);  // nowhere left to say that standard error failed
}

void Report(ByteSink& diagnostics, Message message, std::initializer_list<MessageArg> args) {
  Report(diagnostics, MessageText(message, args));
}

void ReportFault(ByteSink& diagnostics, const RecordsEnd& end, std::string_view inputName) {
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
                          OutputBuffer& buffer, RowTally& tally, RowWarnings& warnings) {
  std::string working;
  std::string lines;
  std::vector<NamedCell> who;
  while (!buffer.failed() && reader.Next()) {
    const std::span<const std::string_view> fields = reader.fields();
    const bool ok = row.Assess(fields, reader.line());
    if (OutcomeOf(ok, fields) == RowOutcome::kBlank) continue;  // no one's row: nothing to explain
    tally.Count(ok, reader.line());
    who.clear();
    for (size_t index : columns.passthrough()) {
      // The results of an earlier run say nothing of whose row it is.
      if (index < fields.size() && !payroll::IsAssessedColumnName(columns.header(index))) {
        who.emplace_back(payroll::TrimBlanks(columns.header(index)), fields[index]);
      }
    }
    working.clear();
    if (tally.rows > 1) working += '\n';
    AppendExplanation(working, reader.line(), who, row, ok);
    EndLinesIn(working, lineEnd);
    buffer.Append(working);
    if (!row.partialReads().empty()) {
      lines.clear();
      AppendPartialReads(lines, row, reader.line());
      warnings.Add(lines, buffer);
    }
  }
  return RecordsEnd::Of(reader);
}

}  // namespace

int AssessStream(const Options& options, ByteSource& in, ByteSink& out, const StreamNames& names,
                 ByteSink& diagnostics, const Parallelism& parallelism) {
  CsvReader reader(in);
  OutputBuffer buffer(out);

  std::string problem;
  const payroll::HeaderReading how{.keptColumns = options.keptColumns, .keepColumnOption = true};
  const std::optional<ColumnMap> header = payroll::ReadHeader(reader, names.input, problem, how);
  if (!header) {
    Report(diagnostics, problem);
    return kExitFailed;
  }
  const ColumnMap& columns = *header;
  const ResultLayout layout(columns);
  // The output keeps the input's byte-order mark and line breaks, so that it opens in a
  // spreadsheet as the input did; the working is a text to read, which no mark begins.
  const std::string_view lineEnd = reader.lineBreak();
  CsvWriter writer(buffer, lineEnd, reader.dialect().separator);
  const bool csv = !options.explain;
  if (csv && reader.hadByteOrderMark()) buffer.Append("\xEF\xBB\xBF");
  if (csv) {
    KeepEmptyLines(buffer, reader.line() - 1, lineEnd);
    layout.WriteHeader(writer, reader.fields());
  }

  const AmountReading reading = options.lenient ? AmountReading::kLenient : AmountReading::kStrict;
  const unsigned threads = AssessingThreads(parallelism);
  StreamedWarnings warnings(diagnostics);
  RowTally tally;
  RecordsEnd end;
  if (options.explain) {
    RowAssessor row(columns, reading);
    end = ExplainRecords(reader, row, columns, lineEnd, buffer, tally, warnings);
  } else if (threads <= 1) {
    RowAssessor row(columns, reading);
    AssessRecords(reader, row, layout, buffer, tally, lineEnd, warnings);
    end = RecordsEnd::Of(reader);
  } else {
    RecordFramer framer(reader.source(), reader.dialect(), reader.unread(), reader.nextLine(), reader.sourceEnded(),
                        CsvLimits{}.maxRecordBytes);
    end = AssessInParallel(framer, columns, layout, reading, threads, parallelism.chunkBytes, reader.dialect(), lineEnd,
                           buffer, tally, diagnostics);
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

// Messages as they come, in UTF-8, which a console shows as the text they are.
class StandardErrorSink final : public ByteSink {
 public:
  bool Write(std::string_view bytes) override { return payroll::system::WriteStandardError(bytes); }
};

}  // namespace

int RunTool(std::span<const std::string_view> args) {
  StandardErrorSink diagnostics;

  const ParsedOptions parsed = ParseOptions(args);
  if (!parsed.error.empty()) {
    Report(diagnostics, parsed.error + "\nTry '" + std::string(kToolName) + " --help' for more information.");
    return kExitFailed;
  }
  const Options& options = parsed.options;
  if (options.help || options.version) {
    const int status = WriteAll(payroll::system::StandardOutput(), options.help ? HelpText() : VersionText());
    if (status != kExitAllAssessed) Report(diagnostics, Message::kCannotWriteOutput, {"standard output", std::strerror(errno)});
    return status;
  }

  StreamNames names;
  int input = payroll::system::StandardInput();
  if (!options.input.empty()) {
    names.input = options.input;
    const payroll::system::InputFile opened = payroll::system::OpenInputFile(options.input, false);
    if (opened.fd < 0) {
      Report(diagnostics, opened.problem);
      return kExitFailed;
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
      return kExitFailed;
    }
    if (!output.Open(options.output)) {
      Report(diagnostics, payroll::OutputFailureText(Message::kCannotOpenOutput, options.output, output.failure()));
      return kExitFailed;
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
  return status;
}

}  // namespace varnolix::cli
