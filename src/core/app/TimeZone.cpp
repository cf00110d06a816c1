#include "TimeZone.h"

#include <QFileInfo>
#include <QtGlobal>

#include <ctime>

namespace tkd {

void pinLocalTimeZone()
{
    if (!qEnvironmentVariableIsEmpty("TZ") || !QFileInfo::exists(QStringLiteral("/etc/localtime")))
        return;
    qputenv("TZ", ":/etc/localtime");
    tzset();
}

} // namespace tkd
