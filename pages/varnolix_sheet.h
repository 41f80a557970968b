// The sheet as its pages know it: the VisitedFlags and the sibling pages whose
// fields they read. Pages reach it by a checked downcast of their parent window and
// read what they need at the moment of need; no page keeps amounts of its own.
#pragma once

#include <cstdint>

#include "platform/property_sheet.h"

namespace varnolix {

class CMainBasicDlg;
class CStandardDecuctionDlg;
class CMutualEtcDlg;
class CSection88Dlg;

class CVarnolixSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;

  virtual CMainBasicDlg& IncomePage() = 0;
  virtual CStandardDecuctionDlg& StandardDeductionPage() = 0;
  virtual CMutualEtcDlg& Section80Page() = 0;
  virtual CSection88Dlg& Section88Page() = 0;

  // The VisitedFlags: 1 once the page has been shown; nothing clears them.
  std::int32_t m_bSection88Visited = 0;
  std::int32_t m_bSection80Visited = 0;
  std::int32_t m_bStdDeductionVisited = 0;
};

// The sheet a page sits in, or null when it sits elsewhere.
inline CVarnolixSheet* SheetOf(const CWnd& page) { return DynamicDownCast<CVarnolixSheet>(page.GetParent()); }

}  // namespace varnolix
