#include "pages/coloured_page.h"

#include "platform/dc.h"

namespace varnolix {

CColouredPage::CColouredPage(const DialogTemplate& dialogTemplate, std::optional<COLORREF> textColour)
    : CPropertyPage(dialogTemplate), m_textColour(textColour) {}

const MessageMap& CColouredPage::GetMessageMap() const {
  static const MessageMap map{&CPropertyPage::GetMessageMap(), {OnCtlColorRequest(&CColouredPage::OnCtlColor)}};
  return map;
}

// Whatever kind of control asks, the base chooses the brush and the page the colour.
HBRUSH CColouredPage::OnCtlColor(CDC* dc, CWnd* control, unsigned ctlColorKind) {
  HBRUSH brush = CPropertyPage::OnCtlColor(dc, control, ctlColorKind);
  if (m_textColour) dc->SetTextColor(*m_textColour);
  return brush;
}

}  // namespace varnolix
