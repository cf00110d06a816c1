#include "Photo.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSysInfo>

#include <csetjmp>
#include <cstdio>
#include <deque>

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

// A decoded photo with the file's own size and how it was read, which decide the size of any decode.
struct Decoded {
    QImage image;
    QSize natural;
    bool byLibjpeg = false;
};

// The fast IDCT scales are n/8 with n = 1, 2, 4 or 8: the smallest whose result, stretched by at
// most a sixteenth (a difference nobody sees), still fills the shown size.
unsigned int scaleEighths(qint64 width, qint64 height, const QSize& shownAt)
{
    if (!shownAt.isValid())
        return 8;
    for (const unsigned int eighths : {1u, 2u, 4u}) {
        const qint64 w = (width * eighths + 7) / 8;
        const qint64 h = (height * eighths + 7) / 8;
        if (w * 16 >= qint64(shownAt.width()) * 15 && h * 16 >= qint64(shownAt.height()) * 15)
            return eighths;
    }
    return 8;
}

// The usual libjpeg pattern; the result lives in the caller so no C++ object is skipped by the jump.
JpegRead readJpeg(const QByteArray& data, const QSize& shownAt, Decoded* decoded)
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
    info.scale_num = scaleEighths(info.image_width, info.image_height, shownAt);
    info.scale_denom = 8;
    decoded->natural = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    decoded->byLibjpeg = true;
    // Straight into the words a pixmap holds (0xffRRGGBB), so showing it converts nothing.
    info.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&info);
    QImage& image = decoded->image;
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB32);
    if (image.isNull() || info.output_components != 4) {
        jpeg_destroy_decompress(&info);
        return JpegRead::Refused;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return error.cutShort ? JpegRead::Refused : JpegRead::Done;
}

Decoded readWithQt(const QByteArray& data, const QByteArray& format, const QSize& shownAt)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    // A format that does not tell its size up front is left to Qt's own allocation limit.
    if (size.isValid() && tooLarge(size.width(), size.height()))
        return {};
    Decoded decoded;
    // Only ever shrunk, keeping the photo's proportions, and never below the shown size.
    if (size.isValid() && shownAt.isValid() && size.width() > shownAt.width() && size.height() > shownAt.height())
        reader.setScaledSize(size.scaled(shownAt, Qt::KeepAspectRatioByExpanding));
    if (!reader.read(&decoded.image))
        return {};
    decoded.natural = size;
    return decoded;
}

Decoded decodeJpeg(const QByteArray& data, const QSize& shownAt)
{
    Decoded decoded;
    switch (readJpeg(data, shownAt, &decoded)) {
    case JpegRead::Done:
        return decoded;
    case JpegRead::NeedsQt:
        return readWithQt(data, QByteArrayLiteral("jpeg"), shownAt);
    case JpegRead::Refused:
        break;
    }
    return {};
}

// Whether a photo decoded before is exactly what decoding it again for shownAt would give.
bool serves(const Decoded& kept, const QSize& shownAt)
{
    const QSize natural = kept.natural;
    if (!natural.isValid())
        return false;
    QSize size = natural;
    if (kept.byLibjpeg) {
        const qint64 eighths = scaleEighths(natural.width(), natural.height(), shownAt);
        size = QSize(int((natural.width() * eighths + 7) / 8), int((natural.height() * eighths + 7) / 8));
    } else if (shownAt.isValid() && natural.width() > shownAt.width() && natural.height() > shownAt.height()) {
        size = natural.scaled(shownAt, Qt::KeepAspectRatioByExpanding);
    }
    return kept.image.size() == size;
}

// The last photos decoded. The desk shows a member's photo in the panel, in the check-in's
// confirmation and again after each command: one decode serves them all while the file is unchanged.
class RecentPhotos {
public:
    const Decoded* find(const QString& path, const QDateTime& modified, qint64 bytes, const QSize& shownAt) const
    {
        for (const Entry& e : m_entries)
            if (e.path == path && e.modified == modified && e.bytes == bytes && serves(e.decoded, shownAt))
                return &e.decoded;
        return nullptr;
    }
    void keep(const QString& path, const QDateTime& modified, qint64 bytes, const Decoded& decoded)
    {
        m_entries.push_front({path, modified, bytes, decoded});
        if (m_entries.size() > kKept)
            m_entries.pop_back();
    }

private:
    static constexpr size_t kKept = 4;
    struct Entry {
        QString path;
        QDateTime modified;
        qint64 bytes;
        Decoded decoded;
    };
    std::deque<Entry> m_entries;
};

RecentPhotos& recentPhotos()
{
    static RecentPhotos recent;
    return recent;
}

} // namespace

QImage loadPhoto(const QString& path)
{
    return loadPhoto(path, QSize());
}

QImage loadPhoto(const QString& path, const QSize& shownAt)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPhotoFileBytes)
        return {};
    const QDateTime modified = info.lastModified();
    if (const Decoded* kept = recentPhotos().find(path, modified, info.size(), shownAt))
        return kept->image;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPhotoFileBytes)
        return {};
    const QByteArray data = file.readAll();
    const Decoded decoded = data.startsWith("\xFF\xD8") ? decodeJpeg(data, shownAt) : readWithQt(data, {}, shownAt);
    // Only what was read whole and unchanged is kept: a file written meanwhile is read again next time.
    if (!decoded.image.isNull() && data.size() == info.size())
        recentPhotos().keep(path, modified, info.size(), decoded);
    return decoded.image;
}

} // namespace tkd::gui::kit
