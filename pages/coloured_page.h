// A page whose labels and fields all draw their text in one colour of its own, or in
// the standard colours when it has none. The colour is the page's data; the one
// handler that answers every control's colour request is here.
#pragma once

#include <optional>

#include "platform/property_sheet.h"

namespace varnolix {

class CColouredPage : public CPropertyPage {
 public:
  CColouredPage(const DialogTemplate& dialogTemplate, std::optional<COLORREF> textColour);
  const MessageMap& GetMessageMap() const override;

 private:
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind);

  std::optional<COLORREF> m_textColour;
};

}  // namespace varnolix
