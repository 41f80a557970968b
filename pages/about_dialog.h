// The About box: the product and its version, the copyright and the disclaimer, the
// maker's logo, and a link to the maker's web page. A new one, with a new link, is
// made for every help request.
#pragma once

#include "hyperlink/hyperlink.h"
#include "platform/dialog.h"

namespace varnolix {

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  bool OnInitDialog() override;
  void OnOK() override;

  CHyperLink m_hyperLink;
};

}  // namespace varnolix
