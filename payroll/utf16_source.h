// A file saved as UTF-16 ("Unicode text"), read as the UTF-8 the rest of the reading
// expects. Characters that cannot be decoded (a lone surrogate, an odd last byte) come
// out as U+FFFD, so no byte of the file is lost without a mark.
#pragma once

#include <string>
#include <string_view>

#include "payroll/byte_stream.h"

namespace varnolix::payroll {

class Utf16Source final : public ByteSource {
 public:
  // `already` holds the bytes read from `source` before its byte-order mark was seen,
  // after the mark; `bigEndian` as the mark said.
  Utf16Source(ByteSource& source, std::string_view already, bool bigEndian);
  ssize_t Read(char* data, size_t size) override;

 private:
  // Decodes what is pending into m_decoded; false when the input has ended.
  bool Decode();
  void Put(char32_t c);

  ByteSource& m_source;
  bool m_bigEndian;
  std::string m_pending;  // undecoded bytes
  std::string m_decoded;  // UTF-8 not yet handed out
  size_t m_handedOut = 0;
  char16_t m_highSurrogate = 0;
  bool m_ended = false;
};

}  // namespace varnolix::payroll
