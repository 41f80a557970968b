#include "app/command_line.h"

#include <cstdio>
#include <vector>

#include "app/print_to_pdf.h"
#include "app/varnolix_app.h"
#include "platform/win_app.h"
#include "varnolix/version.h"

namespace varnolix {
namespace {

constexpr std::string_view kPrintToPdf = "--print-to-pdf";

bool Write(std::FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

}  // namespace

ParsedProgramOptions ParseProgramOptions(std::span<const std::string_view> args) {
  ParsedProgramOptions parsed;
  ProgramOptions& options = parsed.options;
  bool optionsEnded = false;
  bool pdfGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
      if (arg == "--") {
        optionsEnded = true;
      } else if (arg == "-h" || arg == "--help") {
        options.help = true;
      } else if (arg == "--version") {
        options.version = true;
      } else if (arg == kPrintToPdf || arg.starts_with("--print-to-pdf=")) {
        if (arg == kPrintToPdf && i + 1 == args.size()) {
          parsed.error = "--print-to-pdf needs the PDF file to write";
          return parsed;
        }
        options.pdf = arg == kPrintToPdf ? args[++i] : arg.substr(kPrintToPdf.size() + 1);
        pdfGiven = true;
      } else {
        parsed.error = "unknown option '" + std::string(arg) + "'";
        return parsed;
      }
    } else if (options.file.empty()) {
      options.file = arg;
      if (options.file.empty()) parsed.error = "the file name is empty";
    } else {
      parsed.error = "only one FILE may be given";
      return parsed;
    }
  }
  if (pdfGiven && options.pdf.empty() && parsed.error.empty()) parsed.error = "the PDF file name is empty";
  if (pdfGiven && options.file.empty() && parsed.error.empty()) parsed.error = "--print-to-pdf needs a FILE to print";
  return parsed;
}

std::string ProgramHelpText() {
  return R"(Usage: Varnolix [FILE]
       Varnolix --print-to-pdf OUT.pdf FILE

Works out the income tax a salaried employee owes for one year, in a sheet of five tabs:
Income, Standard Deduction, Section 80, Section 88 and Tax Results.

FILE is a CSV file as varnolix-assess reads it, with a basic_pm column: one saved with
Save, or a payroll file of many rows. Varnolix starts with it open; when it holds several
rows, a list asks which one.

Options:
  --print-to-pdf OUT.pdf  write the computation sheet of every row of FILE to OUT.pdf,
                          each sheet from a new page, and exit; needs no display
  -h, --help              show this help and exit
  --version               show the version and exit

Exit status of --print-to-pdf: 0 when every row was printed; 1 when some row was refused
(each is named on standard error, and the others are printed); 2 when FILE or OUT.pdf
cannot be used.
)";
}

int RunProgram(int argc, char* argv[]) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const ParsedProgramOptions parsed = ParseProgramOptions(args);
  if (!parsed.error.empty()) {
    Write(stderr, std::string(kProductName) + ": " + parsed.error + "\nTry '" + kProductName +
                      " --help' for more information.\n");
    return 2;
  }
  const ProgramOptions& options = parsed.options;
  if (options.help || options.version) {
    const bool written = Write(stdout, options.help ? ProgramHelpText() : std::string(kProductName) + " " + kVersion + "\n");
    return written ? 0 : 2;
  }
  if (!options.pdf.empty()) return PrintToPdf(argc, argv, options.pdf, options.file);
  theApp.OpenAtStart(options.file);
  return AfxWinMain(argc, argv);
}

}  // namespace varnolix
