#include "Photo.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace tkd::gui::kit {
namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool cutShort = false;
};

void onJpegError(j_common_ptr info)
{
    // libjpeg would exit the program; jump back and report a null image instead.
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void onJpegMessage(j_common_ptr info, int level)
{
    // libjpeg pads a file that ends early with grey and only warns: such a photo is damaged.
    auto* error = reinterpret_cast<JpegError*>(info->err);
    if (level < 0 && error->manager.msg_code == JWRN_JPEG_EOF)
        error->cutShort = true;
}

bool tooLarge(qint64 width, qint64 height)
{
    return width <= 0 || height <= 0 || width * height > kMaxPhotoPixels;
}

enum class JpegRead { Done, Refused, NeedsQt };

// The usual libjpeg pattern; the image lives in the caller so no C++ object is skipped by the jump.
JpegRead readJpeg(const QByteArray& data, QImage* image)
{
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = onJpegError;
    error.manager.emit_message = onJpegMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return JpegRead::Refused;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return JpegRead::Refused;
    }
    // The header's own size, before libjpeg or we allocate anything for the pixels.
    if (tooLarge(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return JpegRead::Refused;
    }
    // libjpeg cannot turn CMYK into RGB; Qt's reader can.
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        return JpegRead::NeedsQt;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (image->isNull() || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return JpegRead::Refused;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return error.cutShort ? JpegRead::Refused : JpegRead::Done;
}

QImage readWithQt(const QByteArray& data, const QByteArray& format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    // A format that does not tell its size up front is left to Qt's own allocation limit.
    if (size.isValid() && tooLarge(size.width(), size.height()))
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QImage decodeJpeg(const QByteArray& data)
{
    QImage image;
    switch (readJpeg(data, &image)) {
    case JpegRead::Done:
        return image;
    case JpegRead::NeedsQt:
        return readWithQt(data, QByteArrayLiteral("jpeg"));
    case JpegRead::Refused:
        break;
    }
    return {};
}

} // namespace

QImage loadPhoto(const QString& path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPhotoFileBytes)
        return {};
    const QByteArray data = file.readAll();
    if (data.startsWith("\xFF\xD8"))
        return decodeJpeg(data);
    return readWithQt(data, QByteArray());
}

} // namespace tkd::gui::kit
