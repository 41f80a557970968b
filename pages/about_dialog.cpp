#include "pages/about_dialog.h"

#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {

// The template's OK is the dialog's own, which ends it as any dialog's OK does.
static_assert(ids::about::kOk == IDOK);

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(resources::kAboutDialog, parent) {}

// Attaching the link to its static takes the static's text as the address.
void CAboutDlg::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, ids::about::kLink, m_hyperLink); }

// The focus goes to the first tab stop, OK.
bool CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  return true;
}

void CAboutDlg::OnOK() { CDialog::OnOK(); }

}  // namespace varnolix
