#include "app/mod_property_sheet.h"

#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "pages/about_dialog.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/win_app.h"
#include "resources/resource_ids.h"

namespace varnolix {

CModPropertySheet::CModPropertySheet(std::string_view caption, CWnd* parent, unsigned selectPage)
    : CVarnolixSheet(caption, parent, selectPage) {
  // The order of the tabs, which differs from the order of the members.
  AddPage(&m_pageIncome);
  AddPage(&m_pageStandardDeduction);
  AddPage(&m_pageSection80);
  AddPage(&m_pageSection88);
  AddPage(&m_pageTaxResults);
}

const MessageMap& CModPropertySheet::GetMessageMap() const {
  static const MessageMap map{&CVarnolixSheet::GetMessageMap(),
                              {OnButtonClicked(ID_APPLY_NOW, &CModPropertySheet::OnApplyNow),
                               varnolix::OnCommand(ids::sheet::kOpen, &CModPropertySheet::OnOpen),
                               varnolix::OnCommand(ids::sheet::kSave, &CModPropertySheet::OnSave),
                               varnolix::OnCommand(ids::sheet::kPrint, &CModPropertySheet::OnPrint),
                               varnolix::OnCommand(IDCANCEL, &CModPropertySheet::OnExit)}};
  return map;
}

bool CModPropertySheet::OnInitDialog() {
  const bool result = CVarnolixSheet::OnInitDialog();
  GetDlgItem(IDOK)->ShowWindow(SW_HIDE);
  GetDlgItem(IDCANCEL)->SetWindowText("E&xit");
  CWnd* apply = GetDlgItem(ID_APPLY_NOW);
  apply->SetWindowText("&Help");
  apply->EnableWindow(true);
  GetDlgItem(IDHELP)->SetWindowText("&About");
  AddButton(ids::sheet::kOpen, "&Open…", "Ctrl+O");
  AddButton(ids::sheet::kSave, "&Save…", "Ctrl+S");
  AddButton(ids::sheet::kPrint, "&Print…", "Ctrl+P");
  // Once the window is up, so that what the file brings (a list, a refusal) shows over it.
  if (!m_startFile.empty()) QTimer::singleShot(0, GetSafeHwnd(), [this] { OpenFile(m_startFile); });
  return result;
}

void CModPropertySheet::WinHelp(std::uint32_t /*data*/, unsigned /*command*/) {
  CAboutDlg about;
  about.DoModal();
}

// The help file of the current folder where it opens, else the manual installed with
// the program; when neither opens, the person is told where the manual is.
void CModPropertySheet::OnApplyNow() {
  if (ShellExecute("open", "Varnolix.hlp", "", "", SW_SHOW) > 32) return;
  const std::string manual =
      (std::filesystem::path(AfxGetProgramPath()).parent_path() / VARNOLIX_MANUAL_FROM_PROGRAM).lexically_normal();
  if (ShellExecute("open", manual, "", "", SW_SHOW) > 32) return;
  AfxMessageBox("No help could be opened. The manual is at:\n\n" + manual, MB_OK | MB_ICONINFORMATION, 0);
}

}  // namespace varnolix
