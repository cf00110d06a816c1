#pragma once

#include <functional>
#include <type_traits>

class QWidget;

namespace tkd::gui::kit {

// The boundary between Qt and the program's own code. An engine error (or any other
// exception) raised by fn is shown in the standard error box over parent and ends what fn
// was doing there: it never unwinds through Qt's widget code, which would leave a window
// half-updated. Returns false when fn failed.
bool guarded(QWidget* parent, const std::function<void()>& fn);

// A slot that runs inside that boundary, for connect(): it takes the signal's arguments
// when fn wants them, and none otherwise.
//     connect(button, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
template <typename F> auto guard(QWidget* parent, F fn)
{
    return [parent, fn = std::move(fn)](auto&&... args) {
        guarded(parent, [&] {
            if constexpr (std::is_invocable_v<const F&, decltype(args)...>)
                fn(args...);
            else
                fn();
        });
    };
}

} // namespace tkd::gui::kit
