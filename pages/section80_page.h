// The Section 80 page: the six yearly amounts claimed as deductions under Section 80.
#pragma once

#include <array>

#include "pages/numeric_edit.h"
#include "platform/property_sheet.h"

namespace varnolix {

class CMutualEtcDlg : public CPropertyPage {
 public:
  CMutualEtcDlg();
  const MessageMap& GetMessageMap() const override;

  bool OnSetActive() override;
  bool OnKillActive() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind);
  void OnReset();

  std::array<CNumericEdit, 6> m_fields;
};

}  // namespace varnolix
