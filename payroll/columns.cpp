#include "payroll/columns.h"

#include <algorithm>

#include "payroll/ascii.h"
#include "payroll/near_miss.h"

namespace varnolix::payroll {
namespace {

constexpr std::string_view kErrorColumn = "error";

// Characters that clerks put between the words of a name, or after an abbreviation.
constexpr bool IsNameSeparator(char c) { return IsBlank(c) || c == '_' || c == '-' || c == '.'; }

bool IsKept(std::string_view matched, std::span<const std::string> kept) {
  return std::ranges::any_of(kept, [&](const std::string& name) { return MatchedName(name) == matched; });
}

}  // namespace

std::string MatchedName(std::string_view headerCell) {
  std::string name;
  name.reserve(headerCell.size());
  for (char c : headerCell) {
    if (!IsNameSeparator(c)) name += AsciiLower(c);
  }
  return name;
}

std::optional<Field> RecognisedField(std::string_view headerCell) {
  const std::string name = MatchedName(headerCell);
  for (const FieldInfo& info : kFields) {
    // Column names hold no separator but underscores, which matching drops.
    if (MatchedName(info.column) == name) return info.field;
  }
  return std::nullopt;
}

bool IsAssessedColumnName(std::string_view headerCell) {
  const std::string_view name = TrimBlanks(headerCell);
  return name == kErrorColumn ||
         std::ranges::any_of(kResults, [&](const ResultInfo& result) { return name == result.column; });
}

ColumnMap ColumnMap::FromHeader(std::span<const std::string_view> header, std::optional<Duplicate>& duplicate,
                                std::span<const std::string> kept) {
  ColumnMap map;
  duplicate.reset();
  for (size_t i = 0; i < header.size(); ++i) {
    map.m_headerNames.emplace_back(header[i]);
    const std::optional<Field> field =
        kept.empty() || !IsKept(MatchedName(header[i]), kept) ? RecognisedField(header[i]) : std::nullopt;
    if (!field) {
      map.m_passthrough.push_back(i);
      continue;
    }
    std::optional<size_t>& slot = map.m_indexOf[*field];
    if (slot) {
      if (!duplicate) {
        duplicate = Duplicate{Info(*field).column, *slot + 1, i + 1, std::string(TrimBlanks(header[*slot])),
                              std::string(TrimBlanks(header[i]))};
      }
      continue;
    }
    slot = i;
    map.m_columns.push_back({i, *field, std::string(TrimBlanks(header[i]))});
  }
  map.FindAssessedColumns();
  map.FindNearMiss(header, kept);
  return map;
}

void ColumnMap::FindAssessedColumns() {
  PerResult<std::optional<size_t>> results;
  std::optional<size_t> error;
  bool twice = false;
  for (size_t index : m_passthrough) {
    const std::string_view name = TrimBlanks(m_headerNames[index]);
    std::optional<size_t>* slot = name == kErrorColumn ? &error : nullptr;
    for (const ResultInfo& result : kResults) {
      if (name == result.column) slot = &results[result.result];
    }
    if (slot == nullptr) continue;
    twice = twice || slot->has_value();
    *slot = index;
  }
  const bool all = error && std::ranges::all_of(results.values, [](const auto& index) { return index.has_value(); });
  if (all && !twice) {
    AssessedColumns assessed;
    assessed.error = *error;
    for (const ResultInfo& result : kResults) assessed.results[result.result] = *results[result.result];
    m_assessed = assessed;
  }
  for (size_t index = 0; index < m_headerNames.size(); ++index) {
    const bool result = m_assessed && std::ranges::find(m_assessed->results.values, index) !=
                                          m_assessed->results.values.end();
    if (!result && !(m_assessed && index == m_assessed->error)) m_ownColumns.push_back(index);
  }
}

void ColumnMap::FindNearMiss(std::span<const std::string_view> header, std::span<const std::string> kept) {
  for (size_t index : m_passthrough) {
    if (IsAssessedColumnName(header[index])) continue;
    const std::string name = MatchedName(header[index]);
    if (IsKept(name, kept)) continue;
    for (const FieldInfo& info : kFields) {
      if (m_indexOf[info.field] || !LooksMeantFor(name, info)) continue;
      m_nearMiss = NearMiss{index + 1, std::string(TrimBlanks(header[index])), info.field};
      return;
    }
  }
}

size_t ColumnMap::OwnCells(size_t recordFields) const {
  const size_t width = fieldCount();
  const auto within = std::ranges::lower_bound(m_ownColumns, std::min(recordFields, width));
  const size_t surplus = recordFields > width ? recordFields - width : 0;
  return static_cast<size_t>(within - m_ownColumns.begin()) + surplus;
}

}  // namespace varnolix::payroll
