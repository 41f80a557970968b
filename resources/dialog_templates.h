// The dialog templates of the program's pages and its About box.
#pragma once

#include <span>
#include <string_view>

#include "resources/dialog_template.h"

namespace varnolix::resources {

extern const DialogTemplate kIncomeDialog;             // 102
extern const DialogTemplate kStandardDeductionDialog;  // 138
extern const DialogTemplate kSection88Dialog;          // 139
extern const DialogTemplate kSection80Dialog;          // 140
extern const DialogTemplate kTaxResultsDialog;         // 141
extern const DialogTemplate kAboutDialog;              // 142

// The text of the label that names control `id` on `dialog`, without the colon that
// ends it on the page: "Basic Per Month". Empty when no label names it.
std::string_view LabelOf(const DialogTemplate& dialog, int id);

// The program's icon at several sizes, for the window and the desktop.
std::span<const std::string_view> ApplicationIconImages();

}  // namespace varnolix::resources
