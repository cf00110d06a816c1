#include "Guarded.h"

#include "Messages.h"
#include "db/DbError.h"

namespace tkd::gui::kit {

bool guarded(QWidget* parent, const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const DbError& e) {
        Messages::failure(parent, e.message());
    } catch (const std::exception& e) {
        Messages::failure(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace tkd::gui::kit
