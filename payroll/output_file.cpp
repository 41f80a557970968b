#include "payroll/output_file.h"

#include <cerrno>
#include <cstring>

#include "payroll/system/standard_streams.h"

namespace varnolix::payroll {

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Open(const std::string& path) {
  Discard();
  m_failure = {};
  if (system::BeginReplacement(path, m_replacement, m_failure.refusingFolder)) return true;
  return Failed();
}

void OutputFile::OpenStandardOutput() {
  Discard();
  m_failure = {};
  m_replacement.fd = system::StandardOutput();
}

bool OutputFile::Commit(Durability durability) {
  if (system::FinishReplacement(m_replacement, durability)) return true;
  return Failed();
}

void OutputFile::Discard() {
  const int error = errno;
  system::AbandonReplacement(m_replacement);
  errno = error;
}

bool OutputFile::Failed() {
  m_failure.error = errno;
  return false;
}

std::string OutputFailureText(Message message, std::string_view path, const OutputFailure& failure) {
  const char* reason = std::strerror(failure.error);
  if (!failure.refusingFolder.empty()) return MessageText(Message::kCannotWriteIntoFolder, {failure.refusingFolder, reason});
  return MessageText(message, {path, reason});
}

}  // namespace varnolix::payroll
