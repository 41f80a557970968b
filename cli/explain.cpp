#include "cli/explain.h"

#include "assessment/working.h"
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
  out += WorkingText(WorkingOf(row.assessment(), row.TypedTexts()));
}

}  // namespace varnolix::cli
