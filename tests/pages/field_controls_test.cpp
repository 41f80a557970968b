// The computation names each entry, page and result as the pages show them: the labels
// of the dialog templates beside the controls of the pages' table.
#include <gtest/gtest.h>

#include "computation/computation.h"
#include "pages/field_controls.h"
#include "resources/dialog_templates.h"

namespace varnolix {
namespace {

TEST(FieldControls, TheComputationNamesEachFieldAsItsPageLabelsIt) {
  for (const FieldInfo& info : kFields) {
    const DialogTemplate& page = InputPageDialog(info.page);
    EXPECT_EQ(resources::LabelOf(page, ControlsOf(info.field).controlId), FieldLabel(info.field)) << info.column;
    EXPECT_EQ(page.title, PageTitle(info.page)) << info.column;
  }
  for (const ResultInfo& result : kResults) {
    EXPECT_EQ(resources::LabelOf(resources::kTaxResultsDialog, ControlOf(result.result)), ResultLabel(result.result))
        << result.column;
  }
}

}  // namespace
}  // namespace varnolix
