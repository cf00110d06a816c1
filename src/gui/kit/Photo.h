#pragma once

#include <QImage>
#include <QString>

namespace tkd::gui::kit {

// A member's photo: JPEG through libjpeg, other formats through Qt. A null image when the
// file is missing or cannot be read, so the caller keeps its placeholder.
QImage loadPhoto(const QString& path);

} // namespace tkd::gui::kit
