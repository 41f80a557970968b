// What every fuzz target does when a property fails: says which, and stops at once, so
// that libFuzzer keeps the input as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace varnolix::fuzz {

[[noreturn]] inline void Violated(std::string_view property) {
  std::fprintf(stderr, "\nPROPERTY VIOLATED: %.*s\n", static_cast<int>(property.size()), property.data());
  std::abort();
}

inline void Require(bool holds, std::string_view property) {
  if (!holds) Violated(property);
}

// The same double, NaN included: what "the same result" means for amounts.
inline bool SameDouble(double a, double b) { return (a != a && b != b) || __builtin_memcmp(&a, &b, sizeof a) == 0; }

}  // namespace varnolix::fuzz
