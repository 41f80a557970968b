#include "platform/png.h"

#include <QImageReader>

namespace varnolix {

QImage ReadPng(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

QSize PngSize(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return reader.size();
}

}  // namespace varnolix
