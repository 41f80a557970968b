// Varnolix --print-to-pdf OUT.pdf FILE: the computation sheet of every row of FILE in one
// PDF, each from a new page, with no window and no display.
#pragma once

#include <string>

namespace varnolix {

// Exit status 0 when every row was printed, 1 when some were refused (each named on
// standard error), 2 when FILE or OUT.pdf could not be used, OUT.pdf names FILE itself,
// or no row could be printed (and no OUT.pdf is written).
int PrintToPdf(int argc, char* argv[], const std::string& pdf, const std::string& file);

}  // namespace varnolix
