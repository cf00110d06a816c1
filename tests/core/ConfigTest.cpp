#include "app/Config.h"
#include "data/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

class ConfigTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini() const { return QDir(dir.path()).filePath(QStringLiteral("tkd.INI")); }
    void write(const QByteArray& text)
    {
        QFile f(ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

TEST_F(ConfigTest, NoFileGivesTheDefaultsAndWritesNothing)
{
    const Config c = Config::load(ini());
    EXPECT_EQ(c.inputMethod, QString());
    EXPECT_EQ(c.smsSignature, QStringLiteral("澄岚软件"));
    EXPECT_TRUE(c.smsUrl.endsWith(QStringLiteral("/smsgbk.aspx")));
    EXPECT_EQ(c.backupDir, QString());
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(ConfigTest, PartialFileKeepsDefaultsForMissingKeys)
{
    write("[ordix]\nInput=pinyin\n");
    const Config c = Config::load(ini());
    EXPECT_EQ(c.inputMethod, QStringLiteral("pinyin"));
    EXPECT_EQ(c.smsSignature, QStringLiteral("澄岚软件"));
    EXPECT_EQ(c.smsUrl, Config::defaultSmsUrl());
}

TEST_F(ConfigTest, OtherSectionsDoNotCount)
{
    write("[other]\nsign=x\n[ordix]\nurl=http://127.0.0.1:9/smsgbk.aspx\n");
    const Config c = Config::load(ini());
    EXPECT_EQ(c.smsSignature, QStringLiteral("澄岚软件"));
    EXPECT_EQ(c.smsUrl, QStringLiteral("http://127.0.0.1:9/smsgbk.aspx"));
}

TEST_F(ConfigTest, WritingOneKeyKeepsTheOthers)
{
    write("[ordix]\nurl=http://127.0.0.1:9/smsgbk.aspx\n");
    Config::writeKey(ini(), QStringLiteral("sign"), QStringLiteral("某某道馆"));
    Config::writeKey(ini(), QStringLiteral("Input"), QString());
    const Config c = Config::load(ini());
    EXPECT_EQ(c.smsSignature, QStringLiteral("某某道馆"));
    EXPECT_EQ(c.smsUrl, QStringLiteral("http://127.0.0.1:9/smsgbk.aspx"));
    EXPECT_EQ(c.inputMethod, QString());
}

TEST(AppPathsTest, FilesLiveBesideTheProgram)
{
    const AppPaths p = AppPaths::forProgram(QStringLiteral("/opt/hall/tkd"));
    EXPECT_EQ(p.databaseFile(), QStringLiteral("/opt/hall/data/tkd.cld"));
    EXPECT_EQ(p.compactionFile(), QStringLiteral("/opt/hall/data/tkd1.cld"));
    EXPECT_EQ(p.iniFile(), QStringLiteral("/opt/hall/tkd.INI")) << "a program without extension gets .INI appended";
    EXPECT_EQ(AppPaths::forProgram(QStringLiteral("/opt/hall/tkd.exe")).iniFile(), QStringLiteral("/opt/hall/tkd.INI"));
    EXPECT_EQ(p.defaultAutoBackupDir(), QStringLiteral("/opt/hall/clbak"));
    EXPECT_EQ(p.manualFile(), QStringLiteral("/opt/hall/readme.htm"));
}

} // namespace
