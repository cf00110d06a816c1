#include "kit/Photo.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

using namespace tkd::gui;

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

QByteArray greenJpeg(int width, int height)
{
    // Fine stripes give the scan enough data that a cut lands inside it.
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor((x * 37 + y * 11) % 60, 200, 40));
    return encoded(image, "JPEG");
}

QByteArray plain(int width, int height, const QColor& colour, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return encoded(image, format);
}

// The offset of the frame header's length field (the byte after FF C0), or -1.
qsizetype frameHeader(const QByteArray& jpeg)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == 0xC0)
            return i + 2;
    return -1;
}

// A four-channel JPEG as print shops and scanners write them: Adobe's inverted CMYK, plain or as YCCK.
QByteArray fourChannelJpeg(J_COLOR_SPACE stored, int width, int height)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, stored);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    // Inverted CMYK of the green (20, 200, 40): each ink's complement with full K.
    std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
    for (int x = 0; x < width; ++x) {
        row[static_cast<size_t>(x) * 4 + 0] = 20;
        row[static_cast<size_t>(x) * 4 + 1] = 200;
        row[static_cast<size_t>(x) * 4 + 2] = 40;
        row[static_cast<size_t>(x) * 4 + 3] = 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    return bytes;
}

class Photo : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        return path;
    }
};

} // namespace

TEST_F(Photo, ReadsJpegAndPngAndGivesNullForMissingFiles)
{
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
    EXPECT_TRUE(kit::loadPhoto(dir.filePath(QStringLiteral("none.jpg"))).isNull());
    EXPECT_TRUE(kit::loadPhoto(QString()).isNull());
}

TEST_F(Photo, DamagedTruncatedAndHugeJpegsAreRefusedWithoutACrash)
{
    const QByteArray good = greenJpeg(64, 48);
    const qsizetype frame = frameHeader(good);
    ASSERT_GT(frame, 0) << "a baseline JPEG has a frame header";

    QByteArray badPrecision = good;
    badPrecision[frame + 2] = 3; // sample precision: libjpeg knows only 8 (and 12)
    QByteArray huge = good;
    for (const qsizetype at : {frame + 3, frame + 5}) { // height, then width: 60000 = EA60
        huge[at] = static_cast<char>(0xEA);
        huge[at + 1] = static_cast<char>(0x60);
    }
    QByteArray noScan = QByteArray("\xFF\xD8", 2) + QByteArray(500, '\x5A');

    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"damaged frame header", badPrecision},
        {"start marker followed by noise", noScan},
        {"only the start marker", QByteArray("\xFF\xD8\xFF", 3)},
        {"cut after a third", good.left(good.size() / 3)},
        {"cut before its end marker", good.left(good.size() - 40)},
        {"claims 60,000 x 60,000 pixels", huge},
    };
    for (const auto& c : cases) {
        const QString path = write(QStringLiteral("broken.jpg"), c.bytes);
        EXPECT_TRUE(kit::loadPhoto(path).isNull()) << c.what << " must be refused";
        EXPECT_TRUE(kit::loadPhoto(path, QSize(150, 190)).isNull()) << c.what << " must be refused when reduced";
    }
    EXPECT_FALSE(kit::loadPhoto(write(QStringLiteral("whole.jpg"), good)).isNull()) << "the undamaged original shows";
}

TEST_F(Photo, HugePngIsRefusedBeforeDecoding)
{
    // A PNG header claiming 60,000 x 60,000 pixels; Qt's reader tells the size from it.
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(small.save(&buffer, "PNG"));
    const qsizetype ihdr = png.indexOf("IHDR");
    ASSERT_GT(ihdr, 0);
    for (const qsizetype at : {ihdr + 4, ihdr + 8}) {
        png[at] = 0;
        png[at + 1] = 0;
        png[at + 2] = static_cast<char>(0xEA);
        png[at + 3] = static_cast<char>(0x60);
    }
    EXPECT_TRUE(kit::loadPhoto(write(QStringLiteral("huge.png"), png)).isNull());
}

TEST_F(Photo, CmykAndYcckJpegsShowInTheirColours)
{
    for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        const QString path = write(QStringLiteral("print.jpg"), fourChannelJpeg(stored, 40, 30));
        const QImage image = kit::loadPhoto(path);
        ASSERT_FALSE(image.isNull()) << "colour space " << stored << " shows";
        EXPECT_EQ(image.size(), QSize(40, 30));
        const QColor centre = image.pixelColor(20, 15);
        EXPECT_GT(centre.green(), 150) << "colour space " << stored;
        EXPECT_LT(centre.red(), 80) << "colour space " << stored;
        EXPECT_LT(centre.blue(), 100) << "colour space " << stored;
    }
}

TEST_F(Photo, DecodedNoLargerThanShownAndNeverBelowIt)
{
    // An ID photo of 296 x 416 in the desk's column of 150 x 190: libjpeg's half scale, 148 x 208, is
    // two pixels narrower than the column, which no one sees; a quarter (74 x 104) would be blurred.
    const QString jpeg = write(QStringLiteral("member.jpg"), greenJpeg(296, 416));
    const QImage half = kit::loadPhoto(jpeg, QSize(150, 190));
    EXPECT_EQ(half.size(), QSize(148, 208));
    EXPECT_GT(half.pixelColor(74, 104).green(), 150) << "the colours survive the reduced decode";
    EXPECT_EQ(kit::loadPhoto(jpeg, QSize(40, 40)).size(), QSize(74, 104)) << "an eighth (37 x 52) is too small";
    EXPECT_EQ(kit::loadPhoto(jpeg, QSize(400, 500)).size(), QSize(296, 416)) << "never enlarged";
    EXPECT_EQ(kit::loadPhoto(jpeg).size(), QSize(296, 416)) << "the photo window shows the natural size";

    // Other formats through Qt's reader: shrunk in proportion to cover the shown size.
    const QString png = write(QStringLiteral("member.png"), plain(300, 400, QColor(20, 200, 40), "PNG"));
    EXPECT_EQ(kit::loadPhoto(png, QSize(150, 190)).size(), QSize(150, 200));
    const QString small = write(QStringLiteral("small.png"), plain(100, 80, QColor(20, 200, 40), "PNG"));
    EXPECT_EQ(kit::loadPhoto(small, QSize(150, 190)).size(), QSize(100, 80));
}

TEST_F(Photo, AReplacedPhotoIsReadAgain)
{
    const QString path = dir.filePath(QStringLiteral("member.jpg"));
    const QByteArray green = plain(296, 416, QColor(20, 200, 40), "JPEG");
    const QByteArray red = plain(200, 300, QColor(220, 30, 30), "JPEG");
    ASSERT_NE(green.size(), red.size()) << "the replacement must differ even within one tick of the file clock";
    write(QStringLiteral("member.jpg"), green);
    EXPECT_GT(kit::loadPhoto(path, QSize(150, 190)).pixelColor(10, 10).green(), 150);
    EXPECT_GT(kit::loadPhoto(path, QSize(150, 180)).pixelColor(10, 10).green(), 150);

    write(QStringLiteral("member.jpg"), red);
    const QImage shown = kit::loadPhoto(path, QSize(150, 190));
    EXPECT_GT(shown.pixelColor(10, 10).red(), 150) << "the new photo, not the one decoded before";
    EXPECT_EQ(shown.size(), QSize(200, 300)) << "half of 200 x 300 would not fill 150 x 190";
    EXPECT_EQ(kit::loadPhoto(path).size(), QSize(200, 300));

    QFile::remove(path);
    EXPECT_TRUE(kit::loadPhoto(path, QSize(150, 190)).isNull()) << "a removed photo is not shown from memory";
}
