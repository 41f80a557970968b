#include "report/paper.h"

#include <langinfo.h>

#include <cstring>

namespace varnolix::report {

QPageSize LocalePaper() {
#ifdef __GLIBC__
  // glibc hands the paper's height in millimetres back as a word stored in the pointer's
  // place, so it is read the way glibc stored it, whatever the byte order.
  const char* item = nl_langinfo(_NL_PAPER_HEIGHT);
  unsigned int heightMm = 0;
  std::memcpy(&heightMm, &item, sizeof heightMm);
  if (heightMm == 279) return QPageSize(QPageSize::Letter);
#endif
  return QPageSize(QPageSize::A4);
}

}  // namespace varnolix::report
