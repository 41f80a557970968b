// The current texts of a page's fields, read at the moment they are needed.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/wnd.h"

namespace varnolix {

template <std::size_t N>
class FieldTexts {
 public:
  FieldTexts(const CWnd& page, const std::array<int, N>& ids) {
    for (std::size_t i = 0; i < N; ++i) m_texts[i] = page.GetDlgItemText(ids[i]);
  }
  std::string_view operator[](std::size_t i) const { return m_texts[i]; }

 private:
  std::array<std::string, N> m_texts;
};

}  // namespace varnolix
