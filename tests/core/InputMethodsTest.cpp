#include "app/InputMethods.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using tkd::InputMethods;

namespace {

// Puts a stand-in "ibus" command first on PATH and takes it away again.
class FakeIbus : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldPath = qgetenv("PATH");
        log = QDir(bin.path()).filePath(QStringLiteral("calls.log"));
        const QString script = QDir(bin.path()).filePath(QStringLiteral("ibus"));
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1'\n"
                               "if [ \"$1\" = list-engine ]; then printf 'language: Chinese\\n  libpinyin - "
                               "Intelligent Pinyin\\n  rime\\n'; fi\n")
                    .arg(log)
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", bin.path().toUtf8() + ":/usr/bin:/bin");
    }
    void TearDown() override { qputenv("PATH", oldPath); }
    QTemporaryDir bin;
    QByteArray oldPath;
    QString log;
};

TEST_F(FakeIbus, ListsTheEnginesWithoutLanguageHeadings)
{
    EXPECT_EQ(InputMethods::detect(), InputMethods::Framework::IBus);
    EXPECT_EQ(InputMethods::engines(), (QStringList{QStringLiteral("libpinyin"), QStringLiteral("rime")}));
}

TEST_F(FakeIbus, SwitchesToTheConfiguredEngine)
{
    EXPECT_FALSE(InputMethods::activate(QStringLiteral("  "))) << "an empty setting leaves the choice to the desktop";
    ASSERT_TRUE(InputMethods::activate(QStringLiteral("rime")));
    // The switch runs detached; wait for its line in the log.
    QByteArray calls;
    for (int i = 0; i < 200 && !calls.contains("engine rime"); ++i) {
        QFile f(log);
        if (f.open(QIODevice::ReadOnly))
            calls = f.readAll();
        if (!calls.contains("engine rime"))
            QThread::msleep(10);
    }
    EXPECT_TRUE(calls.contains("engine rime")) << calls.toStdString();
}

TEST(InputMethodsAbsent, NothingInstalledMeansNothingToSwitch)
{
    const QByteArray oldPath = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toUtf8());
    EXPECT_EQ(InputMethods::detect(), InputMethods::Framework::None);
    EXPECT_TRUE(InputMethods::engines().isEmpty());
    EXPECT_FALSE(InputMethods::activate(QStringLiteral("rime")));
    qputenv("PATH", oldPath);
}

} // namespace
