// The paper the user's locale prints on, for a new report's page size.
#pragma once

#include <QPageSize>

namespace varnolix::report {

// Letter where the process locale's LC_PAPER says so, else A4. Reads the locale as the
// caller has set it.
QPageSize LocalePaper();

}  // namespace varnolix::report
