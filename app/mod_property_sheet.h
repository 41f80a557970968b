// The program's one window: the five pages as tabs, the buttons "&Open…", "&Save…",
// "&Print…", "E&xit", "&Help" and "&About", and the VisitedFlags the pages set. It keeps
// the file its entries came from or went to, and asks before unsaved entries are lost.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "payroll/payroll_file.h"

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

  // Opens `path` once the sheet is built, as `Varnolix FILE` asks.
  void OpenAtStart(std::string path) { m_startFile = std::move(path); }

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
  void OnOpen();
  void OnSave();
  void OnPrint();
  // Exit, Esc and the close box.
  void OnExit();

  // True when the entries may be replaced or closed: nothing unsaved, or the person
  // saved or discarded it.
  bool MayLoseEntries();
  bool OpenFile(const std::string& path);
  bool SaveFile();
  // Fills every page with the row's entries, as if typed, every page counting as shown.
  void PutEntries(const PerField<std::string>& typed);
  // Remembers the entries as they stand, as the file holds them.
  void KeepEntries(std::string fileName);
  std::string Subject() const;

  std::string m_startFile;
  // The file the entries came from or went to last; empty when none.
  std::string m_fileName;
  long long m_rowLine = 0;     // the row's line in it
  std::size_t m_rowCount = 0;  // the rows it held
  std::string m_rowName;
  std::vector<payroll::OtherCell> m_otherCells;  // kept beside the amounts when saved
  PerField<std::string> m_keptTexts;              // the entries as last opened or saved
};

}  // namespace varnolix
