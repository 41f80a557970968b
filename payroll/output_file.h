// The tool's output file, written whole or not at all: the bytes go to a temporary file
// beside it, which takes the file's place only once the run has finished, so a run that
// fails leaves any earlier file as it was and no half-written one. A device or a pipe
// named as the output is written directly.
#pragma once

#include <string>

namespace varnolix::payroll {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // False with errno set when nothing can be written there.
  bool Open(const std::string& path);
  int fd() const { return m_fd; }
  // Puts what was written in place of the file; false with errno set.
  bool Commit();
  // Drops what was written.
  void Discard();

 private:
  int m_fd = -1;
  std::string m_target;     // the file to replace, its links followed
  std::string m_temporary;  // empty when writing straight to the target
};

}  // namespace varnolix::payroll
