// Rounding to single precision, the one narrowing the assessment knows.
#pragma once

namespace varnolix {

// Round to the nearest single, ties to even, as the hardware conversion does.
inline float Narrow(double value) { return static_cast<float>(value); }

// One tenth as the single-precision constant nearest to it, used widened to double.
inline constexpr double kOneTenth = double{0.1f};

}  // namespace varnolix
