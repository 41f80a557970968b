// Exact decimal arithmetic on written figures: what a reader checking the working by
// hand gets from the figures printed above a line, to set beside what the rules' single
// precision gives. A value is an integer count of units of 10^-scale; one beyond the
// range that count holds (about 10^36 units), a figure that is not finite, or text that
// is not a plain decimal is unknown, and so is anything worked out from an unknown.
#pragma once

#include <string>
#include <string_view>

namespace varnolix {

#ifdef __SIZEOF_INT128__
__extension__ typedef __int128 ExactUnits;
#else
typedef long long ExactUnits;  // a narrower range: larger figures go unchecked
#endif

class Exact {
 public:
  Exact() = default;  // unknown
  // The figure as WriteAmount writes it: "%.2f" of the value held, to the paisa.
  static Exact Written(double held);
  // Text that is a plain decimal: an optional minus, digits, at most one point.
  static Exact OfText(std::string_view text);

  bool known() const { return m_known; }

  friend Exact operator+(const Exact& a, const Exact& b);
  friend Exact operator-(const Exact& a, const Exact& b);
  friend Exact operator*(const Exact& a, const Exact& b);
  friend Exact Min(const Exact& a, const Exact& b);
  friend Exact Max(const Exact& a, const Exact& b);
  // Both known, and a below b.
  friend bool Below(const Exact& a, const Exact& b);

  // Known, and more than half a paisa from `held` as WriteAmount writes it: the figure
  // written is then not this value to the paisa.
  bool DiffersFrom(double held) const;
  // To the paisa, halves away from zero, grouped the Indian way: "1,48,148.04". Empty
  // when unknown.
  std::string Text() const;

 private:
  Exact(ExactUnits units, int scale) : m_units(units), m_scale(scale), m_known(true) {}
  // The same value in units of 10^-scale, a finer or equal scale; unknown past the range.
  Exact Scaled(int scale) const;

  ExactUnits m_units = 0;
  int m_scale = 0;
  bool m_known = false;
};

}  // namespace varnolix
