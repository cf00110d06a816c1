#include "kit/Photo.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd::gui;

TEST(Photo, ReadsJpegAndPngAndGivesNullForBrokenFiles)
{
    QTemporaryDir dir;
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(QColor(20, 200, 40));
    const QString jpeg = dir.filePath(QStringLiteral("a.jpg"));
    const QString png = dir.filePath(QStringLiteral("b.png"));
    ASSERT_TRUE(image.save(jpeg, "JPEG"));
    ASSERT_TRUE(image.save(png, "PNG"));
    const QImage fromJpeg = kit::loadPhoto(jpeg);
    ASSERT_FALSE(fromJpeg.isNull());
    EXPECT_EQ(fromJpeg.size(), QSize(30, 20));
    EXPECT_GT(fromJpeg.pixelColor(15, 10).green(), 150);
    EXPECT_EQ(kit::loadPhoto(png).size(), QSize(30, 20));

    // A JPEG cut short after its header, and one that is only the marker: no crash, no image.
    QFile whole(jpeg);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    for (const QByteArray& broken : {bytes.left(bytes.size() / 3), QByteArray("\xFF\xD8\xFF", 3)}) {
        const QString path = dir.filePath(QStringLiteral("broken.jpg"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(broken);
        out.close();
        const QImage result = kit::loadPhoto(path);
        EXPECT_TRUE(result.isNull() || result.size() == QSize(30, 20)) << "a partial picture is acceptable";
    }
    EXPECT_TRUE(kit::loadPhoto(dir.filePath(QStringLiteral("none.jpg"))).isNull());
    EXPECT_TRUE(kit::loadPhoto(QString()).isNull());
}
