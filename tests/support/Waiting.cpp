#include "Waiting.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace tkd::test {

::testing::AssertionResult waitUntil(const std::function<bool()>& condition, const QString& what,
                                     std::chrono::milliseconds bound)
{
    if (condition())
        return ::testing::AssertionSuccess();
    const QDeadlineTimer deadline(bound);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(std::chrono::milliseconds(5));
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    loop.exec();
    if (condition())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "still waiting for " << what.toStdString() << " after " << bound.count()
                                         << " ms";
}

} // namespace tkd::test
