// Dialog data exchange: binding a member object to a control of the dialog.
#pragma once

namespace varnolix {

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, bool saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  bool m_bSaveAndValidate;  // true: controls to members; false: the other way
  CWnd* m_pDlgWnd;
};

// Makes `control` handle the dialog's control `id`, once, when the dialog is built.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

}  // namespace varnolix
