// Numbers written for a person checking the working, with every digit that matters.
#pragma once

#include <string>

namespace varnolix::cli {

// Every digit of the value: 148148.046875, 0.100000001490116119384765625.
void AppendExact(std::string& out, float value);

// The shortest text that reads back as the same double: the exact value when that is
// short (148148.046875), otherwise as many digits as tell it apart (60630.000000000004).
void AppendDouble(std::string& out, double value);

}  // namespace varnolix::cli
