#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tkd::gui::kit {

// A photo claiming more pixels than this is refused before any pixel memory is taken:
// a member photo never needs it, and a damaged header must not take the desk down.
inline constexpr qint64 kMaxPhotoPixels = 40'000'000;
// Files larger than this are not even read.
inline constexpr qint64 kMaxPhotoFileBytes = 64 * 1024 * 1024;

// A member's photo: JPEG through libjpeg (CMYK and YCCK JPEGs through Qt's reader, which converts
// them), other formats through Qt. A null image when the file is missing, damaged, cut short or
// too large, so the caller keeps its placeholder. The last few photos decoded are kept while their
// files are unchanged, so showing the same member's photo again decodes nothing.
QImage loadPhoto(const QString& path);
// The same, for a photo shown no larger than shownAt (device pixels): a JPEG is decoded at the
// smallest of libjpeg's fast scales (1/8, 1/4, 1/2) that still fills it, stretched at most by a
// sixteenth; other formats are scaled by Qt's reader. The same checks guard the file first.
QImage loadPhoto(const QString& path, const QSize& shownAt);

} // namespace tkd::gui::kit
