// The Income page: the salary figures, with the monthly ones echoed at once as
// annual amounts beside them. The rest of the program reads the annual fields.
#pragma once

#include <array>

#include "assessment/salary_figures.h"
#include "pages/field_texts.h"
#include "pages/numeric_edit.h"
#include "platform/property_sheet.h"

namespace varnolix {

class CMainBasicDlg : public CPropertyPage {
 public:
  CMainBasicDlg();
  const MessageMap& GetMessageMap() const override;

  bool OnKillActive() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind);
  void OnChangeBasicPerMonth();
  void OnChangeAllowances1PerMonth();
  void OnChangeAllowances2PerMonth();
  void OnReset();
  void OnNext() {}
  void EchoAnnual(int monthlyId, int annualId);

  std::array<CNumericEdit, 9> m_fields;
};

// The six Income texts the salary figures are built from, as they stand now.
class IncomeFieldTexts {
 public:
  explicit IncomeFieldTexts(const CMainBasicDlg& page);
  IncomeTexts View() const;

 private:
  FieldTexts<6> m_texts;
};

}  // namespace varnolix
