// The batch tool on several threads against one: the same rows, errors, faults and
// messages, however the input is cut into chunks and however reads and writes fail. And
// the tool on its own output: the same output and messages again, a second run changing
// nothing (for an input without any of the tool's own columns, which it would add twice).
//
// Byte 0: lenient reading (bit 0), a failing read at the end (bit 1), the threads (2 to
// 5, bits 2-3), the bytes per read (bits 4-7, from 1, or all at once for 15). Byte 1: the
// chunk size, from 1. Byte 2: how much of the output the sink takes before it fails
// (255: all of it). The rest is the CSV input.
#include <cstdint>
#include <string>

#include "cli/tool.h"
#include "payroll/columns.h"
#include "tests/payroll/string_streams.h"
#include "tests/fuzz/property.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnolix::cli;
  using varnolix::fuzz::Require;
  if (size < 3) return 0;
  const std::string input(reinterpret_cast<const char*>(data) + 3, size - 3);
  const Options options{.lenient = (data[0] & 1u) != 0};
  const bool readFails = (data[0] & 2u) != 0;
  const unsigned threads = 2 + ((data[0] >> 2u) & 3u);
  const size_t perRead = (data[0] >> 4u) == 15 ? input.size() + 1 : 1 + (data[0] >> 4u);
  const size_t chunkBytes = 1 + data[1];
  const size_t sinkCapacity = data[2] == 255 ? std::string::npos : size_t{data[2]} * 16;

  struct Outcome {
    int status;
    std::string out, diagnostics;
  };
  const auto assess = [&](const Parallelism& parallelism) {
    varnolix::payroll::testing::StringSource in(input, perRead, readFails);
    varnolix::payroll::testing::StringSink out(sinkCapacity);
    varnolix::payroll::testing::StringSink diagnostics;
    Outcome outcome;
    outcome.status = AssessStream(options, in, out, {}, diagnostics, parallelism);
    outcome.out = out.text;
    outcome.diagnostics = diagnostics.text;
    return outcome;
  };
  const Outcome one = assess({.threads = 1});
  const Outcome many = assess({.threads = threads, .chunkBytes = chunkBytes});
  Require(many.status == one.status, "threads give the exit status one thread gives");
  Require(many.diagnostics == one.diagnostics, "threads give the messages one thread gives");
  Require(many.out == one.out, "threads give the output one thread gives");

  if (one.status == kExitFailed || readFails || sinkCapacity != std::string::npos) return 0;
  varnolix::payroll::testing::StringSource header(input);
  varnolix::payroll::CsvReader reader(header);
  if (!reader.Next()) return 0;
  for (std::string_view cell : reader.fields()) {
    if (varnolix::payroll::IsAssessedColumnName(cell)) return 0;
  }
  varnolix::payroll::testing::StringSource again(one.out, perRead);
  varnolix::payroll::testing::StringSink out;
  varnolix::payroll::testing::StringSink diagnostics;
  Require(AssessStream(options, again, out, {}, diagnostics, {.threads = 1}) == one.status,
          "a second run gives the exit status the first gave");
  Require(out.text == one.out, "a second run changes nothing");
  Require(diagnostics.text == one.diagnostics, "a second run says what the first said");
  return 0;
}
