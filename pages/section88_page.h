// The Section 88 page: the six yearly savings and investments that count toward the
// benefit under Section 88.
#pragma once

#include <array>

#include "pages/numeric_edit.h"
#include "platform/property_sheet.h"

namespace varnolix {

class CSection88Dlg : public CPropertyPage {
 public:
  CSection88Dlg();
  const MessageMap& GetMessageMap() const override;

  bool OnSetActive() override;
  bool OnKillActive() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void OnReset();

  std::array<CNumericEdit, 6> m_fields;
};

}  // namespace varnolix
