// The program's one window: the five pages as tabs, the buttons "&Open…", "&Save…",
// "&Print…", "E&xit", "&Help" and "&About", and the VisitedFlags the pages set. Its
// document keeps the file its entries came from or went to; the window shows the
// document's lists and questions, and asks before unsaved entries are lost.
#pragma once

#include <string>
#include <string_view>

#include "document/payroll_document.h"

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
  // Asks for a file of one row to save in, and the questions before it replaces one.
  bool SaveAsNewFile(const document::Entries& entries);
  // Fills every page with the row's entries, as if typed, every page counting as shown.
  void PutEntries(const PerField<std::string>& typed);
  // The title names the document's file and row.
  void ShowTitle();

  std::string m_startFile;
  document::PayrollDocument m_document;
};

}  // namespace varnolix
