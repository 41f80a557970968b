// Rounding to single precision, the one narrowing the assessment knows.
#pragma once

namespace varnolix {

// Round to the nearest single, ties to even, as the hardware conversion does.
inline float Narrow(double value) { return static_cast<float>(value); }

}  // namespace varnolix
