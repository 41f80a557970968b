#include "cli/explain.h"

#include "computation/render.h"
#include "cli/file_format.h"

namespace varnolix::cli {

void AppendExplanation(std::string& out, long long line, std::span<const NamedCell> who, const RowAssessor& row,
                       bool ok) {
  out += "line " + std::to_string(line);
  const char* separator = ": ";
  for (const auto& [name, value] : who) {
    if (value.empty()) continue;
    out += separator;
    out += name;
    out += '=';
    AppendCsvField(out, value);
    separator = ", ";
  }
  out += '\n';
  if (!ok) {
    for (size_t i = 0; i < row.errorCount(); ++i) {
      out += "  error: ";
      out += row.error(i);
      out += '\n';
    }
    return;
  }
  // The working of the texts the row gives, as the program assesses them typed in; a
  // test holds the tool's quick route to the same amounts.
  Who whose;
  whose.line = line;
  out += WorkingText(ComputationOf(std::move(whose), {}, row.TypedTexts(), kEveryPageShown));
}

}  // namespace varnolix::cli
