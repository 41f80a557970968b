// One run of varnolix-assess: the command line, the files, and the stream of rows.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/file_format.h"
#include "cli/options.h"
#include "cli/parallel_assessment.h"

namespace varnolix::cli {

inline constexpr int kExitAllAssessed = 0;
inline constexpr int kExitSomeRowsRefused = 1;
inline constexpr int kExitFailed = 2;

// Names used in messages for the input and output.
struct StreamNames {
  std::string_view input = "standard input";
  std::string_view output = "standard output";
};

// Reads the CSV from `in` and writes the assessed CSV, or the working, to `out`.
// Writes one line per problem or warning to `diagnostics` as it arises, each starting
// with the tool's name, the closing note last. Returns the exit status. Flushes `out` but
// does not close it. The rows are assessed on the threads `parallelism` asks for, with
// the same output and diagnostics whatever their number.
int AssessStream(const Options& options, ByteSource& in, ByteSink& out, const StreamNames& names,
                 ByteSink& diagnostics, const Parallelism& parallelism = {});

// The whole tool on the process's standard streams; returns the exit status.
int RunTool(std::span<const std::string_view> args);

}  // namespace varnolix::cli
