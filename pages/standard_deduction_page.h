// The Standard Deduction page: the deduction for the current salary tier, which it
// shows read-only, and the profession tax the user pays.
#pragma once

#include <array>

#include "pages/coloured_page.h"
#include "pages/numeric_edit.h"

namespace varnolix {

class CStandardDecuctionDlg : public CColouredPage {
 public:
  CStandardDecuctionDlg();

  bool OnSetActive() override;
  // Writes the tier of the Income page's current gross salary into the field.
  void ShowCurrentTier();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  bool OnInitDialog() override;

 private:
  CNumericEdit m_standardDeduction;
  CNumericEdit m_professionTax;
};

}  // namespace varnolix
