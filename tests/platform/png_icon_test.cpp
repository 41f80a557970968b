// The program's icon, read from PNG files of several sizes only as sizes are asked for.
#include "platform/png_icon.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <vector>

namespace varnolix {
namespace {

class PngIconTest : public ::testing::Test {
 protected:
  // A square PNG of `side` pixels, each size its own colour so that a pixmap tells its source.
  QString Square(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv(side % 360, 255, 255));
    const QString path = m_folder.filePath(QStringLiteral("icon-%1.png").arg(side));
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
  }
  static QRgb Colour(int side) { return QColor::fromHsv(side % 360, 255, 255).rgb(); }

  QTemporaryDir m_folder;
};

TEST_F(PngIconTest, EachSizeComesFromTheSmallestFileThatServesIt) {
  const QString notPng = m_folder.filePath(QStringLiteral("not.png"));
  QFile(notPng).open(QIODevice::WriteOnly);
  const QIcon icon = PngFilesIcon({Square(64), Square(32), notPng, m_folder.filePath(QStringLiteral("none.png")),
                                   Square(256)});
  EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{32, 32}, {64, 64}, {256, 256}}));
  const struct {
    int asked, shown, from;
  } cases[] = {{16, 16, 32}, {32, 32, 32}, {48, 48, 64}, {64, 64, 64}, {100, 100, 256}, {512, 256, 256}};
  for (const auto& c : cases) {
    const QImage image = icon.pixmap(c.asked).toImage();
    EXPECT_EQ(image.size(), QSize(c.shown, c.shown)) << c.asked;
    EXPECT_EQ(image.pixel(c.shown / 2, c.shown / 2), Colour(c.from)) << c.asked;
    EXPECT_EQ(icon.actualSize(QSize(c.asked, c.asked)), QSize(c.shown, c.shown)) << c.asked;
  }
  EXPECT_TRUE(PngFilesIcon({notPng}).isNull());
}

TEST_F(PngIconTest, ReadsOnlyTheFilesAskedFor) {
  const QString small = Square(32);
  const QString large = Square(256);
  const QIcon icon = PngFilesIcon({small, large});
  ASSERT_TRUE(QFile::remove(large));
  EXPECT_EQ(icon.pixmap(32).toImage().pixel(16, 16), Colour(32));
  EXPECT_TRUE(icon.pixmap(256).isNull()) << "the large file was read before it was asked for";
}

}  // namespace
}  // namespace varnolix
