#include "platform/data_exchange.h"

#include "platform/wnd.h"

namespace varnolix {

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (dx->m_bSaveAndValidate || control.IsWindow()) return;
  control.SubclassDlgItem(id, dx->m_pDlgWnd);
}

}  // namespace varnolix
