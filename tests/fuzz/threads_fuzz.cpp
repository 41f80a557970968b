// The batch tool on several threads against one: the same rows, errors, faults and
// messages, however the input is cut into chunks and however reads and writes fail.
//
// Byte 0: lenient reading (bit 0), a failing read at the end (bit 1), the threads (2 to
// 5, bits 2-3), the bytes per read (bits 4-7, from 1, or all at once for 15). Byte 1: the
// chunk size, from 1. Byte 2: how much of the output the sink takes before it fails
// (255: all of it). The rest is the CSV input.
#include <cstdint>
#include <string>

#include "cli/tool.h"
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
    Outcome outcome;
    outcome.status = AssessStream(options, in, out, {}, outcome.diagnostics, parallelism);
    outcome.out = out.text;
    return outcome;
  };
  const Outcome one = assess({.threads = 1});
  const Outcome many = assess({.threads = threads, .chunkBytes = chunkBytes});
  Require(many.status == one.status, "threads give the exit status one thread gives");
  Require(many.diagnostics == one.diagnostics, "threads give the messages one thread gives");
  Require(many.out == one.out, "threads give the output one thread gives");
  return 0;
}
