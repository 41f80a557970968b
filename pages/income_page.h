// The Income page: the salary figures, with the monthly ones echoed at once as
// annual amounts beside them. The rest of the program reads the annual fields.
#pragma once

#include <array>

#include "pages/coloured_page.h"
#include "pages/numeric_edit.h"

namespace varnolix {

class CMainBasicDlg : public CColouredPage {
 public:
  CMainBasicDlg();
  const MessageMap& GetMessageMap() const override;

  bool OnKillActive() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnChangeBasicPerMonth();
  void OnChangeAllowances1PerMonth();
  void OnChangeAllowances2PerMonth();
  void OnReset();
  void OnNext() {}
  void EchoAnnual(int monthlyId, int annualId);

  std::array<CNumericEdit, 9> m_fields;  // the six entries and the three annual echoes
};

}  // namespace varnolix
