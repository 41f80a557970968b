// Reading the program's own pictures, which are all PNG.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace varnolix {

// The PNG image at `path` (a resource path or a file), or a null image. Qt would otherwise
// load every image-format plugin to ask whether it reads the file, which costs start-up
// time and memory for nothing.
QImage ReadPng(const QString& path);
// Its size from the header alone, or an invalid size when it is no PNG.
QSize PngSize(const QString& path);

}  // namespace varnolix
