#include "cli/options.h"

#include <string>

#include "assessment/fields.h"
#include "cli/file_format.h"
#include "payroll/ascii.h"
#include "payroll/columns.h"
#include "varnolix/version.h"

namespace varnolix::cli {
namespace {

struct Flag {
  std::string_view name;
  bool Options::*member;
};

constexpr Flag kFlags[] = {
    {"--lenient", &Options::lenient},
    {"--explain", &Options::explain},
    {"--help", &Options::help},
    {"-h", &Options::help},
    {"--version", &Options::version},
};

std::string StandardStreamOr(std::string_view path) { return path == "-" ? std::string() : std::string(path); }

constexpr unsigned kMostThreads = 1024;

// A count of threads from 1 to kMostThreads, or 0 when the text is none.
unsigned ThreadCount(std::string_view text) {
  if (text.empty() || text.size() > 4) return 0;
  unsigned count = 0;
  for (char c : text) {
    if (!payroll::IsDigit(c)) return 0;
    count = count * 10 + payroll::DigitValue(c);
  }
  return count <= kMostThreads ? count : 0;
}

}  // namespace

ParsedOptions ParseOptions(std::span<const std::string_view> args) {
  ParsedOptions parsed;
  Options& o = parsed.options;
  bool outputGiven = false;
  bool inputGiven = false;
  bool optionsEnded = false;
  auto fail = [&](std::string message) {
    parsed.error = std::move(message);
    return parsed;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (arg == "--") {
        optionsEnded = true;
        continue;
      }
      bool matched = false;
      for (const Flag& flag : kFlags) {
        if (arg == flag.name) {
          o.*flag.member = true;
          matched = true;
        }
      }
      if (matched) continue;
      if (arg == "--threads" || arg.starts_with("--threads=")) {
        std::string_view count = arg.substr(std::string_view("--threads").size());
        if (count.empty()) {
          if (i + 1 == args.size()) return fail("option '--threads' needs a number");
          count = args[++i];
        } else {
          count.remove_prefix(1);  // the '='
        }
        o.threads = ThreadCount(count);
        if (o.threads == 0) {
          return fail("the number of threads must be from 1 to " + std::to_string(kMostThreads) + " (not '" +
                      std::string(count) + "')");
        }
        continue;
      }
      if (arg == "--keep-column" || arg.starts_with("--keep-column=")) {
        std::string_view name = arg.substr(std::string_view("--keep-column").size());
        if (name.empty()) {
          if (i + 1 == args.size()) return fail("option '--keep-column' needs a column name");
          name = args[++i];
        } else {
          name.remove_prefix(1);  // the '='
        }
        if (payroll::MatchedName(name).empty()) return fail("the column name to keep is empty");
        o.keptColumns.emplace_back(name);
        continue;
      }
      std::string_view output;
      if (arg == "-o" || arg == "--output") {
        if (i + 1 == args.size()) return fail("option '" + std::string(arg) + "' needs a file name");
        output = args[++i];
      } else if (arg.starts_with("--output=")) {
        output = arg.substr(9);
      } else if (arg.starts_with("-o") && !arg.starts_with("--")) {
        output = arg.substr(2);
      } else {
        return fail("unknown option '" + std::string(arg) + "'");
      }
      if (outputGiven) return fail("only one output file, please");
      if (output.empty()) return fail("the output file name is empty");
      outputGiven = true;
      o.output = StandardStreamOr(output);
      continue;
    }
    if (inputGiven) return fail("only one input file, please (a second: '" + std::string(arg) + "')");
    if (arg.empty()) return fail("the input file name is empty");
    inputGiven = true;
    o.input = StandardStreamOr(arg);
  }
  return parsed;
}

std::string HelpText() {
  std::string text = R"(Usage: varnolix-assess [--lenient] [--explain] [--threads N] [--keep-column NAME]...
                       [-o OUTPUT] [INPUT]

Assesses the income tax of every employee in a CSV file, one row each, exactly as the
Varnolix program would with the row's amounts typed in and every page shown.

INPUT is a CSV file (standard input when absent or "-"); the output goes to OUTPUT
(standard output when absent or "-"). The first record names the columns, in any order.

Options:
  -o, --output FILE  write to FILE instead of standard output
  --lenient          read amounts as the program's fields do (leading number, else 0),
                     naming on standard error each cell read only in part
  --explain          print each row's working instead of CSV
  --threads N        assess on N threads (default: one per processor); the output is
                     the same whatever N
  --keep-column NAME pass the column NAME through untouched, even if its name is like
                     an amount column's; may be given more than once
  -h, --help         show this help and exit
  --version          show the version and exit

Columns (only basic_pm is required):
)";
  for (const FieldInfo& field : kFields) {
    text += "  ";
    text += field.column;
    text.append(22 - field.column.size(), ' ');
    text += field.name;
    text += field.monthly ? " per month" : " for the year";
    if (field.cap > 0) {
      text += ", counts up to " + std::to_string(static_cast<long>(field.cap));
    } else if (field.page == Page::kSection80) {
      text += ", no cap";
    }
    if (field.field == Field::kBasic) text += " (required, above 0)";
    text += '\n';
  }
  text += R"(Any other column passes through untouched, as do other sections of the law (80C,
80G, ...). Names match ignoring case, blanks, underscores, hyphens and dots: "Basic PM" and
"Rent P.M." are basic_pm and rent_pm. A name that looks meant for an amount column
the file lacks, misspelt ("hra_recieved_pm") or cut short ("Rent", "Basic Salary"),
stops the run unless --keep-column names it.

Output: every record with its cells unchanged, then the columns
  taxable_hra, gross_salary, section80_benefit, section88_benefit, tax_payable, error
A row with an error has empty results and the reason in the error column; a row of
empty cells passes as it is. An input that has all six of these columns already (the
tool's own output) has them filled again in place, so a second run changes nothing.
The output keeps the input's UTF-8 byte-order mark (not so the --explain text) and its
CRLF line breaks, if it has them. An OUTPUT file is written whole or not at all: a run that fails leaves it as it
was.

Amounts: empty (blanks only), or a number with at most one decimal point, optionally
grouped with commas the Indian way (1,00,000.50) or the international way (100,000.50),
optionally after "Rs", "Rs.", "INR" or "₹", with blanks around; a whole-rupee amount
may end in "/-" (45,000/-). No signs, no exponents.
With --lenient, a cell reads as its leading number (so "1,00,000" reads as 1), and as 0
when it does not begin with one; each cell read only in part is named on standard
error, with its line and column.

Exit status:
  0  every row was assessed
  1  some rows have errors (the others were assessed)
  2  the command line, the input or the output failed, the header has no basic_pm
     column, names one twice or has a name that looks meant for one it lacks, or the
     CSV quoting is broken
)";
  return text;
}

std::string VersionText() { return std::string(kToolName) + " " + kVersion + "\n"; }

}  // namespace varnolix::cli
