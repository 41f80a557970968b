// The pages of yearly amounts, Section 80 and Section 88: six numeric fields, a Reset
// button that writes "0" into each, a visit the sheet remembers, and a warning on
// leaving that never keeps the person there. Each page states only what sets it apart.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "assessment/fields.h"
#include "pages/coloured_page.h"
#include "pages/numeric_edit.h"

namespace varnolix {

class CVarnolixSheet;

struct AmountsPageLook {
  const DialogTemplate& dialog;
  Page page;
  std::int32_t CVarnolixSheet::*visitedFlag;
  int resetId;
  std::span<const int> resetOrder;  // the fields Reset sets to "0", in this order
  std::optional<COLORREF> textColour;
};

class CAmountsPage : public CColouredPage {
 public:
  explicit CAmountsPage(const AmountsPageLook& look);

  bool OnSetActive() override;
  bool OnKillActive() override;
  // The Reset button's click; any other command goes on as usual.
  bool OnCommand(int id) override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:

  const AmountsPageLook& m_look;
  std::array<CNumericEdit, 6> m_fields;
};

// The Section 80 page: the six yearly amounts claimed as deductions under Section 80.
class CMutualEtcDlg : public CAmountsPage {
 public:
  CMutualEtcDlg();
};

// The Section 88 page: the six yearly savings and investments that count toward the
// benefit under Section 88. Its texts keep the standard colours.
class CSection88Dlg : public CAmountsPage {
 public:
  CSection88Dlg();
};

}  // namespace varnolix
