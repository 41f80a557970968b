#include "payroll/columns.h"

#include "payroll/ascii.h"

namespace varnolix::payroll {

std::optional<Field> RecognisedField(std::string_view headerCell) {
  const std::string_view name = TrimBlanks(headerCell);
  for (const FieldInfo& info : kFields) {
    if (EqualsIgnoringCase(name, info.column)) return info.field;
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
    map.m_columns.push_back({i, *field, std::string(TrimBlanks(header[i]))});
  }
  return map;
}

}  // namespace varnolix::payroll
