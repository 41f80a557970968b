// The Tax Results page: every time it is shown it assesses the current texts of the
// other pages and shows the five results, each with its working as its tooltip. Each
// result's context menu copies the whole working. It takes no input of its own.
#pragma once

#include <string>

#include "pages/coloured_page.h"
#include "platform/tooltip.h"

namespace varnolix {

class CVarnolixSheet;

class CResultDialog : public CColouredPage {
 public:
  CResultDialog();
  const MessageMap& GetMessageMap() const override;

  bool OnSetActive() override;

 protected:
  bool OnInitDialog() override;

 private:
  void OnCopyWorking();
  void ShowResults(CVarnolixSheet& sheet);

  // The working of the results shown, from the same assessment.
  std::string m_strWorking;
  CToolTipCtrl m_tipWorking;
};

}  // namespace varnolix
