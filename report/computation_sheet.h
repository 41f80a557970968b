// A computation sheet as it is printed: what a taxpayer or a payroll clerk reads, in the
// order they read it. The program fills it from an assessment; painting lays it out on
// pages (see sheet_painter.h). Amounts arrive as the text to print, grouped already.
#pragma once

#include <string>
#include <vector>

namespace varnolix::report {

struct SheetLine {
  std::string label;
  std::string amount;  // "1,20,000.00" or "148148.046875"; may be empty
  std::string note;    // how the figure came about; may be empty
};

struct SheetSection {
  std::string title;
  std::vector<SheetLine> lines;
  std::string remark;  // a sentence under the title, such as why a page has no entries
};

struct ComputationSheet {
  std::string title;    // "Income tax computation"
  std::string subject;  // whose sheet: a file's name, its line and the employee; may be empty
  std::string date;     // "7 December 2026"
  std::string version;  // "Varnolix 1.0.0.1"
  std::vector<SheetSection> entries;  // one per input page, in tab order
  std::vector<SheetSection> working;  // the steps, as Copy Working gives them
  SheetSection results;               // the five results, printed set apart
};

}  // namespace varnolix::report
