#include "payroll/who_columns.h"

#include <array>

#include "payroll/ascii.h"
#include "payroll/payroll_file.h"

namespace varnolix::payroll {
namespace {

enum class WhoPart : std::uint8_t { kCode, kName, kDepartment, kPan };

struct Heading {
  std::string_view heading;  // lower case, without blanks, underscores, hyphens and dots
  WhoPart part;
};

constexpr std::array kHeadings{
    Heading{"name", WhoPart::kName},           Heading{"employeename", WhoPart::kName},
    Heading{"empname", WhoPart::kName},        Heading{"fullname", WhoPart::kName},
    Heading{"employee", WhoPart::kCode},       Heading{"emp", WhoPart::kCode},
    Heading{"empid", WhoPart::kCode},
    Heading{"empcode", WhoPart::kCode},        Heading{"employeecode", WhoPart::kCode},
    Heading{"employeeid", WhoPart::kCode},     Heading{"empno", WhoPart::kCode},
    Heading{"employeeno", WhoPart::kCode},     Heading{"employeenumber", WhoPart::kCode},
    Heading{"code", WhoPart::kCode},           Heading{"id", WhoPart::kCode},
    Heading{"department", WhoPart::kDepartment}, Heading{"dept", WhoPart::kDepartment},
    Heading{"pan", WhoPart::kPan},             Heading{"panno", WhoPart::kPan},
    Heading{"pannumber", WhoPart::kPan},
};

// Whether `header` reads as `heading`, ignoring case, blanks, underscores, hyphens and dots.
bool HeadedAs(std::string_view header, std::string_view heading) {
  size_t at = 0;
  for (char c : header) {
    if (IsBlank(c) || c == '_' || c == '-' || c == '.') continue;
    if (at == heading.size() || AsciiLower(c) != heading[at]) return false;
    ++at;
  }
  return at == heading.size();
}

std::optional<std::size_t>& PartOf(WhoColumns& who, WhoPart part) {
  switch (part) {
    case WhoPart::kCode:
      return who.code;
    case WhoPart::kName:
      return who.name;
    case WhoPart::kDepartment:
      return who.department;
    case WhoPart::kPan:
      break;
  }
  return who.pan;
}

}  // namespace

WhoColumns FindWhoColumns(const ColumnMap& columns) {
  WhoColumns who;
  std::optional<std::size_t> firstOther;
  for (std::size_t index : columns.passthrough()) {
    const std::string_view header = columns.header(index);
    if (IsAssessedColumn(header)) continue;
    bool headed = false;
    for (const Heading& heading : kHeadings) {
      if (!HeadedAs(header, heading.heading)) continue;
      std::optional<std::size_t>& part = PartOf(who, heading.part);
      if (!part) part = index;
      headed = true;
      break;
    }
    if (!headed && !firstOther) firstOther = index;
  }
  if (!who.code && !who.name) who.name = firstOther;
  return who;
}

Who WhoOf(const WhoColumns& columns, std::span<const std::string_view> cells) {
  const auto cell = [&cells](const std::optional<std::size_t>& index) {
    return index && *index < cells.size() ? std::string(TrimBlanks(cells[*index])) : std::string();
  };
  return {cell(columns.code), cell(columns.name), cell(columns.department), cell(columns.pan)};
}

std::string CodeAndName(const Who& who) {
  if (who.code.empty() || who.name.empty()) return who.code + who.name;
  return who.code + " " + who.name;
}

}  // namespace varnolix::payroll
