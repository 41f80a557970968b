// The program's one window: the five pages as tabs, the buttons "E&xit", "&Help" and
// "&About", and the VisitedFlags the pages set.
#pragma once

#include <string_view>

#include "pages/amounts_page.h"
#include "pages/income_page.h"
#include "pages/standard_deduction_page.h"
#include "pages/tax_results_page.h"
#include "pages/varnolix_sheet.h"

namespace varnolix {

class CModPropertySheet : public CVarnolixSheet {
 public:
  CModPropertySheet(std::string_view caption, CWnd* parent, unsigned selectPage);
  const MessageMap& GetMessageMap() const override;

  // Every help request (the "&About" button, F1) shows the About box.
  void WinHelp(std::uint32_t data, unsigned command) override;

  CMainBasicDlg& IncomePage() override { return m_pageIncome; }
  CStandardDecuctionDlg& StandardDeductionPage() override { return m_pageStandardDeduction; }
  CMutualEtcDlg& Section80Page() override { return m_pageSection80; }
  CSection88Dlg& Section88Page() override { return m_pageSection88; }

  CMainBasicDlg m_pageIncome;
  CStandardDecuctionDlg m_pageStandardDeduction;
  CMutualEtcDlg m_pageSection80;
  CResultDialog m_pageTaxResults;
  CSection88Dlg m_pageSection88;

 protected:
  bool OnInitDialog() override;

 private:
  void OnApplyNow();
};

}  // namespace varnolix
