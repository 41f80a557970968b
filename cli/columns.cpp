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

}  // namespace

std::optional<Field> RecognisedField(std::string_view headerCell) {
  while (!headerCell.empty() && IsBlank(headerCell.front())) headerCell.remove_prefix(1);
  while (!headerCell.empty() && IsBlank(headerCell.back())) headerCell.remove_suffix(1);
  for (const FieldInfo& info : kFields) {
    if (EqualsIgnoringAsciiCase(headerCell, info.column)) return info.field;
  }
  return std::nullopt;
}

ColumnMap ColumnMap::FromHeader(std::span<const std::string_view> header, std::optional<Duplicate>& duplicate) {
  ColumnMap map;
  duplicate.reset();
  for (size_t i = 0; i < header.size(); ++i) {
    map.m_headerNames.emplace_back(header[i]);
    const std::optional<Field> field = RecognisedField(header[i]);
    if (!field) {
      map.m_passthrough.push_back(i);
      continue;
    }
    std::optional<size_t>& slot = map.m_indexOf[*field];
    if (slot) {
      if (!duplicate) duplicate = Duplicate{Info(*field).column, *slot + 1, i + 1};
      continue;
    }
    slot = i;
    map.m_columns.push_back({i, *field, std::string(header[i])});
  }
  return map;
}

}  // namespace varnolix::cli
