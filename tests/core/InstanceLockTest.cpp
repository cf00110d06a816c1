#include "app/InstanceLock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

TEST(InstanceLock, OneHolderPerDataFolderUntilItGoes)
{
    QTemporaryDir folder;
    const QString data = QDir(folder.path()).filePath(QStringLiteral("data"));
    auto first = std::make_unique<InstanceLock>(data);
    EXPECT_FALSE(first->acquire().has_value()) << "the folder is made when missing";
    EXPECT_TRUE(first->held());

    InstanceLock second(data);
    const MaybeRefusal refused = second.acquire();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->message, QStringLiteral("本系统已经在运行，同一数据目录不能同时打开两个程序！"));
    EXPECT_FALSE(second.held());

    // A copy that has been running for an hour still holds the folder.
    QFile held(first->lockFile());
    ASSERT_TRUE(held.open(QIODevice::ReadWrite));
    ASSERT_TRUE(held.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    held.close();
    EXPECT_TRUE(second.acquire().has_value()) << "the lock's age never makes it stale";

    InstanceLock elsewhere(QDir(folder.path()).filePath(QStringLiteral("other")));
    EXPECT_FALSE(elsewhere.acquire().has_value()) << "another folder is another hall";

    first.reset();
    EXPECT_FALSE(second.acquire().has_value()) << "free again once the first copy ended";
}

TEST(InstanceLock, LockOfACopyThatDiedIsTakenOver)
{
    QTemporaryDir folder;
    const QString data = QDir(folder.path()).filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    // A lock file as a running copy writes it, naming a process that has ended since.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QByteArray content;
    {
        QLockFile sample(QDir(folder.path()).filePath(QStringLiteral("sample.lock")));
        ASSERT_TRUE(sample.tryLock(0));
        QFile written(QDir(folder.path()).filePath(QStringLiteral("sample.lock")));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        content = written.readAll();
    }
    QList<QByteArray> lines = content.split('\n');
    lines[0] = QByteArray::number(deadPid);
    InstanceLock lock(data);
    QFile stale(lock.lockFile());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(lines.join('\n'));
    stale.close();

    EXPECT_FALSE(lock.acquire().has_value());
    EXPECT_TRUE(lock.held());
}

} // namespace
