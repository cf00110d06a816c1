#pragma once

#include <QImage>
#include <QString>

namespace tkd::gui::kit {

// A photo claiming more pixels than this is refused before any pixel memory is taken:
// a member photo never needs it, and a damaged header must not take the desk down.
inline constexpr qint64 kMaxPhotoPixels = 40'000'000;
// Files larger than this are not even read.
inline constexpr qint64 kMaxPhotoFileBytes = 64 * 1024 * 1024;

// A member's photo: JPEG through libjpeg (CMYK and YCCK JPEGs through Qt's reader, which converts
// them), other formats through Qt. A null image when the file is missing, damaged, cut short or
// too large, so the caller keeps its placeholder.
QImage loadPhoto(const QString& path);

} // namespace tkd::gui::kit
