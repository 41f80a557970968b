// One person's entries kept as a payroll file of one row, which the batch tool and the
// program both read: the header names the columns of the row's own file in their order,
// then the amount columns it lacked in the fields' order; the row holds each amount as
// plain digits that read back to the same value.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "assessment/fields.h"
#include "payroll/output_file.h"
#include "payroll/payroll_file.h"

namespace varnolix::payroll {

// Empty cells for the fields without an amount. Every amount must be finite and not
// negative, as the strict reading reads nothing else. `cells` are the columns of the
// file the entries came from, in its order; none for entries typed afresh.
std::string SavedEntriesCsv(const PerField<std::optional<double>>& amounts, std::span<const RowCell> cells);

// An amount as a saved file holds it: the shortest plain digits that read back to it.
std::string SavedAmountText(const std::optional<double>& amount);

// Whether a file was written, and if not, why (OutputFailureText says it).
struct WriteOutcome {
  OutputFailure failure;
  explicit operator bool() const { return failure.error == 0; }
};

// Writes `bytes` to `path` whole or not at all, and through to the disk: a failure leaves
// what was there before. On a failure errno is set too.
WriteOutcome WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace varnolix::payroll
