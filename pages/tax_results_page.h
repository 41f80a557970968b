// The Tax Results page: every time it is shown it assesses the current texts of the
// other pages and shows the five results. It takes no input of its own.
#pragma once

#include "platform/property_sheet.h"

namespace varnolix {

class CVarnolixSheet;

class CResultDialog : public CPropertyPage {
 public:
  CResultDialog();
  const MessageMap& GetMessageMap() const override;

  bool OnSetActive() override;

 private:
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind);
  void ShowResults(CVarnolixSheet& sheet);
};

}  // namespace varnolix
