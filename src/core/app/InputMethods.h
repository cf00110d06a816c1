#pragma once

#include <QString>
#include <QStringList>

namespace tkd {

// The desktop's input-method framework: IBus or Fcitx 5 when one is installed.
// With neither, the list is empty and switching does nothing; the setting is kept all the same.
class InputMethods {
public:
    enum class Framework { None, IBus, Fcitx5 };

    static Framework detect();
    // Names of the installed engines, as the framework names them.
    static QStringList engines();
    // Asks the framework to switch to the named engine without waiting for it.
    // Returns false when there is nothing to switch (no framework, empty name).
    static bool activate(const QString& engine);
};

} // namespace tkd
