// CDialog: a dialog built from a template, run modally or (as a property page)
// inside a sheet.
#pragma once

#include "platform/data_exchange.h"
#include "resources/dialog_template.h"
#include "platform/wnd.h"

class QDialog;

namespace varnolix {

class CDialog : public CWnd {
 public:
  explicit CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
  ~CDialog() override;

  // Shows the dialog, owned by its parent or else the main window, and returns
  // how it was closed (IDOK, IDCANCEL or what EndDialog was given).
  virtual int DoModal();
  void EndDialog(int result);

  const DialogTemplate& GetTemplate() const { return m_template; }
  bool UpdateData(bool saveAndValidate = true);

 protected:
  // Runs the data exchange. True puts the focus on the first tab stop.
  virtual bool OnInitDialog();
  virtual void DoDataExchange(CDataExchange* dx);
  virtual void OnOK();
  virtual void OnCancel();
  bool OnCommand(int id) override;

  // Builds the template's controls in `window` and makes it this dialog's window.
  void CreateFromTemplate(QWidget* window);
  void DestroyWindow();
  // The first visible, enabled tab stop in template order.
  QWidget* FirstTabStop() const;

 private:
  const DialogTemplate& m_template;
  CWnd* m_parent;
  QDialog* m_modal = nullptr;
};

}  // namespace varnolix
