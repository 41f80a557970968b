#include "platform/png_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <utility>

#include "platform/png.h"

namespace varnolix {
namespace {

class PngFilesIconEngine final : public QIconEngine {
 public:
  explicit PngFilesIconEngine(const std::vector<QString>& paths) {
    for (const QString& path : paths) {
      if (const QSize size = PngSize(path); size.isValid()) m_files.push_back({path, size, {}});
    }
    std::ranges::sort(m_files, {}, [](const File& file) { return file.size.width(); });
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    File* file = Serving(size);
    if (file == nullptr) return {};
    if (file->pixmap.isNull()) file->pixmap = QPixmap::fromImage(ReadPng(file->path));
    const QSize fitted = Fitted(*file, size);
    return fitted == file->size ? file->pixmap
                                : file->pixmap.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }

  QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    const File* file = Serving(size);
    return file != nullptr ? Fitted(*file, size) : QSize();
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const QPixmap drawn = pixmap(rect.size(), mode, state);
    const QSize shown = drawn.size();
    painter->drawPixmap(QRect(rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                       (rect.height() - shown.height()) / 2),
                              shown),
                        drawn);
  }

  QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    QList<QSize> sizes;
    for (const File& file : m_files) sizes.append(file.size);
    return sizes;
  }

  bool isNull() override { return m_files.empty(); }
  QString key() const override { return QStringLiteral("varnolix-png-files"); }
  QIconEngine* clone() const override { return new PngFilesIconEngine(*this); }

 private:
  struct File {
    QString path;
    QSize size;
    QPixmap pixmap;  // null until first asked for
  };

  // The smallest file at least as wide as asked for, else the largest.
  File* Serving(const QSize& size) {
    if (m_files.empty()) return nullptr;
    const auto wide = std::ranges::find_if(m_files, [&](const File& file) { return file.size.width() >= size.width(); });
    return wide != m_files.end() ? &*wide : &m_files.back();
  }

  // As an icon does: never larger than asked for, the file's own proportions kept.
  static QSize Fitted(const File& file, const QSize& size) {
    return file.size.width() <= size.width() && file.size.height() <= size.height()
               ? file.size
               : file.size.scaled(size, Qt::KeepAspectRatio);
  }

  std::vector<File> m_files;
};

}  // namespace

QIcon PngFilesIcon(const std::vector<QString>& paths) { return QIcon(new PngFilesIconEngine(paths)); }

}  // namespace varnolix
