// The Standard Deduction page: the deduction for the current salary tier, which it
// shows read-only, and the profession tax the user pays.
#pragma once

#include <array>

#include "pages/numeric_edit.h"
#include "platform/property_sheet.h"

namespace varnolix {

class CStandardDecuctionDlg : public CPropertyPage {
 public:
  CStandardDecuctionDlg();
  const MessageMap& GetMessageMap() const override;

  bool OnSetActive() override;
  // Writes the tier of the Income page's current gross salary into the field.
  void ShowCurrentTier();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  bool OnInitDialog() override;

 private:
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind);

  CNumericEdit m_standardDeduction;
  CNumericEdit m_professionTax;
};

}  // namespace varnolix
