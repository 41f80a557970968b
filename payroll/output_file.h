// An output file written whole or not at all: the bytes go to a file of their own beside
// it, which takes the file's place only once the run has finished, so that a run that
// fails or is interrupted leaves any earlier file as it was and nothing beside it. A
// device or a pipe named as the output is written directly.
#pragma once

#include <string>
#include <string_view>

#include "payroll/messages.h"
#include "payroll/system/whole_file.h"

namespace varnolix::payroll {

using system::Durability;

// Why an output file could not be opened or put in place.
struct OutputFailure {
  int error = 0;               // the system's error number
  std::string refusingFolder;  // the folder, when it would not take a new file; else empty
};

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // False with errno set, and failure() saying why, when nothing can be written there.
  bool Open(const std::string& path);
  // The process's standard output, written directly.
  void OpenStandardOutput();
  int fd() const { return m_replacement.fd; }
  // Puts what was written in place of the file, and closes it; false with errno set, and
  // failure() saying why.
  bool Commit(Durability durability = Durability::kAsTheSystemWrites);
  // Drops what was written.
  void Discard();
  const OutputFailure& failure() const { return m_failure; }

 private:
  bool Failed();

  system::Replacement m_replacement;
  OutputFailure m_failure;
};

// What to say about a failure to write `path`: that its folder would not take a new file,
// or else `message` with the path and the system's reason.
std::string OutputFailureText(Message message, std::string_view path, const OutputFailure& failure);

}  // namespace varnolix::payroll
