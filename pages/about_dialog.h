// The About box: the product and its version, the copyright and the disclaimer, the
// maker's logo and web address. A new one is made for every help request.
#pragma once

#include "platform/dialog.h"

namespace varnolix {

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);
};

}  // namespace varnolix
