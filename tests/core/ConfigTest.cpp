#include "app/Config.h"
#include "data/Paths.h"
#include "sms/GbkCodec.h"

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
    QByteArray bytes() const
    {
        QFile f(ini());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

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

// Values a hall really writes: each must come back exactly, through this program's own writing.
TEST_F(ConfigTest, CommasBackslashesAndChineseReadBackExactly)
{
    const QString sign = u(u"澄岚,跆拳道馆");
    const QString url = QStringLiteral("http://127.0.0.1:9/smsgbk.aspx?a=1,2&b=\\x");
    const QString backup = QStringLiteral("D:\\clbak");
    const QString input = u(u"中文 - 微软拼音, 新版");
    Config::writeKey(ini(), QStringLiteral("sign"), sign);
    Config::writeKey(ini(), QStringLiteral("url"), url);
    Config::writeKey(ini(), QStringLiteral("backup"), backup);
    Config::writeKey(ini(), QStringLiteral("Input"), input);
    const Config c = Config::load(ini());
    EXPECT_EQ(c.smsSignature, sign);
    EXPECT_EQ(c.smsUrl, url);
    EXPECT_EQ(c.backupDir, backup);
    EXPECT_EQ(c.inputMethod, input);

    // The file is what a Windows program writes and reads: one section, plain key=value lines.
    const QString text = QString::fromUtf8(bytes());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[ordix]\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nbackup=D:\\clbak\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(u(u"\r\nsign=澄岚,跆拳道馆\r\n"))) << text.toStdString();
}

TEST_F(ConfigTest, HandWrittenValuesAreTakenAsWindowsTakesThem)
{
    write(QByteArrayLiteral(
        "; the hall's settings\r\n[Other]\r\nsign=no\r\n\r\n[ORDIX]\r\n  url = http://h/smsgbk.aspx  \r\n"
        "SIGN=\"  spaced  \"\r\nbackup=D:\\clbak\\tkd\r\n"));
    const Config c = Config::load(ini());
    EXPECT_EQ(c.smsUrl, QStringLiteral("http://h/smsgbk.aspx")) << "blanks around a value are dropped";
    EXPECT_EQ(c.smsSignature, QStringLiteral("  spaced  ")) << "quotes keep them";
    EXPECT_EQ(c.backupDir, QStringLiteral("D:\\clbak\\tkd"));

    // Values that reading would trim or unquote survive a write.
    Config::writeKey(ini(), QStringLiteral("sign"), QStringLiteral(" x "));
    Config::writeKey(ini(), QStringLiteral("Input"), QStringLiteral("\"quoted\""));
    const Config again = Config::load(ini());
    EXPECT_EQ(again.smsSignature, QStringLiteral(" x "));
    EXPECT_EQ(again.inputMethod, QStringLiteral("\"quoted\""));
    EXPECT_EQ(again.smsUrl, QStringLiteral("http://h/smsgbk.aspx"));
    const QByteArray text = bytes();
    EXPECT_TRUE(text.startsWith("; the hall's settings\r\n[Other]\r\nsign=no\r\n")) << "other lines stay as they were";
}

TEST_F(ConfigTest, FileInTheChineseCodePageReadsAndStaysInIt)
{
    // As the original program wrote it on a Chinese Windows.
    const QByteArray gbkText = tkd::gbk::encode(u(u"[ordix]\r\nInput=中文(简体) - 微软拼音\r\nsign=青龙道馆\r\n"
                                                  u"url=http://127.0.0.1:9/smsgbk.aspx\r\n"));
    ASSERT_FALSE(gbkText.isEmpty());
    write(gbkText);
    Config c = Config::load(ini());
    EXPECT_EQ(c.inputMethod, u(u"中文(简体) - 微软拼音"));
    EXPECT_EQ(c.smsSignature, u(u"青龙道馆"));
    EXPECT_EQ(c.smsUrl, QStringLiteral("http://127.0.0.1:9/smsgbk.aspx"));

    Config::writeKey(ini(), QStringLiteral("sign"), u(u"白虎道馆"));
    EXPECT_EQ(bytes(), tkd::gbk::encode(u(u"[ordix]\r\nInput=中文(简体) - 微软拼音\r\nsign=白虎道馆\r\n"
                                          u"url=http://127.0.0.1:9/smsgbk.aspx\r\n")))
        << "the original program can still read the file";
    c = Config::load(ini());
    EXPECT_EQ(c.smsSignature, u(u"白虎道馆"));
    EXPECT_EQ(c.inputMethod, u(u"中文(简体) - 微软拼音"));

    // A character the code page cannot hold moves the whole file to UTF-8 rather than losing it.
    Config::writeKey(ini(), QStringLiteral("sign"), u(u"道馆😀"));
    c = Config::load(ini());
    EXPECT_EQ(c.smsSignature, u(u"道馆😀"));
    EXPECT_EQ(c.inputMethod, u(u"中文(简体) - 微软拼音"));
}

TEST_F(ConfigTest, Utf8FileWithByteOrderMarkReads)
{
    write(QByteArrayLiteral("\xEF\xBB\xBF[ordix]\nsign=") + u(u"青龙道馆").toUtf8() + QByteArrayLiteral("\n"));
    EXPECT_EQ(Config::load(ini()).smsSignature, u(u"青龙道馆"));
    Config::writeKey(ini(), QStringLiteral("Input"), QStringLiteral("rime"));
    EXPECT_EQ(bytes(), QByteArrayLiteral("\xEF\xBB\xBF[ordix]\nsign=") + u(u"青龙道馆").toUtf8() +
                           QByteArrayLiteral("\nInput=rime\n"));
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
