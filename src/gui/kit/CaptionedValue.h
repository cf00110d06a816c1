#pragma once

#include <QString>

class QLabel;

namespace tkd::gui::kit {

// A label that shows a value beside its caption label. Assistive technology reads it as the
// caption followed by the value ("会员卡号：1001"), whatever text the label is given later;
// on its own a screen reader would hear either the bare caption or the bare number.
void captionValue(QLabel* value, const QString& caption);
// The caption given above; empty for other labels.
QString valueCaption(const QLabel* value);

} // namespace tkd::gui::kit
