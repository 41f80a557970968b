// The batch tool's strict reading of an amount cell, its quick route for plain cells,
// and how both stand to the lenient reading (ReadAmount), which is the reference.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "assessment/amount.h"
#include "cli/strict_amount.h"
#include "tests/fuzz/property.h"

namespace varnolix::fuzz {
namespace {

// Text in which the strict reader can find neither a separator nor a currency prefix.
bool PlainOfSeparatorsAndPrefixes(std::string_view cell) {
  return cell.find_first_of(",RrIi\xE2") == std::string_view::npos;
}

}  // namespace
}  // namespace varnolix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnolix;
  using namespace varnolix::fuzz;
  const std::string_view cell(reinterpret_cast<const char*>(data), size);
  std::string storage;
  const cli::StrictAmount amount = cli::ReadStrictAmount(cell, storage);
  const std::string bare(amount.bare);
  {
    std::string otherStorage;
    const cli::StrictAmount again = cli::ReadStrictAmount(cell, otherStorage);
    Require(again.ok == amount.ok && SameDouble(again.value, amount.value) && again.bare == bare,
            "ReadStrictAmount reads the same cell the same way twice");
  }

  if (amount.ok) {
    Require(SameDouble(amount.value, ReadAmount(bare)), "the strict value is what ReadAmount reads from the bare text");
    Require(bare.find_first_not_of("0123456789.") == std::string::npos, "the bare text is digits and a point");
    Require(!std::isnan(amount.value) && !std::signbit(amount.value), "a strict amount is never negative or NaN");
    if (PlainOfSeparatorsAndPrefixes(cell)) {
      Require(SameDouble(amount.value, ReadAmount(cell)),
              "without separators or prefix, the strict reader accepts only what the lenient reader reads alike");
    }
    if (std::isfinite(amount.value)) {
      const std::string written = WriteAmount(amount.value);
      std::string writtenStorage;
      const cli::StrictAmount reread = cli::ReadStrictAmount(written, writtenStorage);
      Require(reread.ok, "a written amount is a strict amount");
      Require(WriteAmount(reread.value) == written, "a written amount reads back strictly to the same cents");
    }
  }

  double plain = 0;
  if (cli::ReadPlainAmount(cell, plain)) {
    Require(amount.ok && SameDouble(plain, amount.value), "ReadPlainAmount agrees with ReadStrictAmount");
    Require(SameDouble(plain, ReadAmount(cell)), "ReadPlainAmount agrees with ReadAmount");
  }
  return 0;
}
