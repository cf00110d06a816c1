#pragma once

#include "kit/report/TmypreviewForm.h"

#include <QApplication>
#include <QList>

namespace tkd::test {

// Closes every print preview a test left open. Collected first: a preview takes its own
// top-level children with it.
inline void closePreviews()
{
    QList<gui::TmypreviewForm*> previews;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* preview = qobject_cast<gui::TmypreviewForm*>(w))
            previews << preview;
    qDeleteAll(previews);
}

} // namespace tkd::test
