#include "pages/about_dialog.h"

#include "resources/dialog_templates.h"

namespace varnolix {

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(resources::kAboutDialog, parent) {}

}  // namespace varnolix
