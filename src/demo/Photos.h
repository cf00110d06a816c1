#pragma once

#include <QString>

namespace tkd::demo {

// A member's photo as a hall keeps it: a JPEG of a one-inch ID photo (295 x 413 pixels) with a
// portrait on a plain background and the grain of a camera, so it decodes like a real one. The
// same seed always gives the same file. False when the file cannot be written.
bool writePhoto(const QString& path, int seed);

} // namespace tkd::demo
