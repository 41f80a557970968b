#include "cli/columns.h"

namespace varnolix::cli {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (AsciiLower(text[i]) != lower[i]) return false;
  }
  return true;
}

// The table is indexed by field.
constexpr bool TableFollowsFieldOrder() {
  for (size_t i = 0; i < kColumns.size(); ++i) {
    if (static_cast<size_t>(kColumns[i].field) != i) return false;
  }
  return true;
}
static_assert(TableFollowsFieldOrder());

}  // namespace

std::optional<Field> RecognisedField(std::string_view headerCell) {
  while (!headerCell.empty() && IsBlank(headerCell.front())) headerCell.remove_prefix(1);
  while (!headerCell.empty() && IsBlank(headerCell.back())) headerCell.remove_suffix(1);
  for (const ColumnSpec& column : kColumns) {
    if (EqualsIgnoringAsciiCase(headerCell, column.name)) return column.field;
  }
  return std::nullopt;
}

ColumnMap ColumnMap::FromHeader(std::span<const std::string_view> header, std::optional<Duplicate>& duplicate) {
  ColumnMap map;
  map.fieldCount_ = header.size();
  map.indexOf_.fill(-1);
  duplicate.reset();
  for (size_t i = 0; i < header.size(); ++i) {
    map.headerNames_.emplace_back(header[i]);
    const std::optional<Field> field = RecognisedField(header[i]);
    if (!field) {
      map.passthrough_.push_back(i);
      continue;
    }
    int& slot = map.indexOf_[static_cast<size_t>(*field)];
    if (slot >= 0) {
      if (!duplicate) duplicate = Duplicate{kColumns[static_cast<size_t>(*field)].name, static_cast<size_t>(slot) + 1, i + 1};
      continue;
    }
    slot = static_cast<int>(i);
    map.columns_.push_back({i, *field, std::string(header[i])});
  }
  return map;
}

}  // namespace varnolix::cli
