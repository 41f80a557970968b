// An icon from PNG files of several sizes, each read only when a size it serves is asked
// for: a desktop that takes the program's icon from its desktop entry never reads one.
#pragma once

#include <QIcon>
#include <QString>
#include <vector>

namespace varnolix {

// Files that cannot be read as PNG are left out; only their headers are read here.
QIcon PngFilesIcon(const std::vector<QString>& paths);

}  // namespace varnolix
