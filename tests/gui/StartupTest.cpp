#include "app/Startup.h"
#include "ScriptedMessages.h"
#include "app/AutoBackup.h"
#include "app/CommandRegistry.h"
#include "app/Config.h"
#include "app/TLoginForm.h"
#include "app/TmainForm.h"
#include "app/TsrfForm.h"
#include "app/TuserinfoForm.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "frontdesk/MemberPanel.h"
#include "kit/InputMethodFields.h"
#include "security/PasswordHash.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tkd;

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths = AppPaths::inFolder(folder.path());
        startup = std::make_unique<gui::Startup>(
            paths, std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 15), QTime(18, 0))));
        ASSERT_TRUE(startup->start());
    }
    void login(const QString& password)
    {
        auto* edit = startup->loginForm()->findChild<QLineEdit*>(QStringLiteral("passwordEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(password);
        QTest::mouseClick(startup->loginForm()->findChild<QPushButton*>(QStringLiteral("loginButton")), Qt::LeftButton);
    }
    QTemporaryDir folder;
    AppPaths paths;
    test::ScriptedMessages messages;
    std::unique_ptr<gui::Startup> startup;
};

TEST_F(StartupTest, FreshFolderGetsItsDatabaseAndShowsTheLoginWindow)
{
    EXPECT_TRUE(QFileInfo::exists(QDir(folder.path()).filePath(QStringLiteral("data/tkd.cld"))));
    EXPECT_TRUE(startup->loginForm()->isVisible());
    EXPECT_FALSE(startup->mainForm()->isVisible());
    EXPECT_TRUE(startup->splash() && startup->splash()->isVisible()) << "the splash stays until login";
    EXPECT_EQ(startup->splash()->size(), QSize(500, 228));
    auto* operators = startup->loginForm()->findChild<QComboBox*>(QStringLiteral("operatorCombo"));
    ASSERT_NE(operators, nullptr);
    EXPECT_EQ(operators->currentText(), QStringLiteral("超级用户"));
    EXPECT_FALSE(QFileInfo::exists(paths.iniFile())) << "starting writes no configuration";
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(StartupTest, WrongPasswordIsRefusedAndTheRightOneOpensTheMainWindow)
{
    login(QStringLiteral("8888 "));
    ASSERT_EQ(messages.texts, QStringList{QStringLiteral("您输入的密码不对，不能登录！")});
    EXPECT_EQ(messages.icons.front(), gui::MessageIcon::Error);
    EXPECT_TRUE(startup->loginForm()->isVisible());
    EXPECT_TRUE(startup->loginForm()->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->text().isEmpty());

    login(QString::fromUtf16(security::kInitialSuperUserPassword));
    EXPECT_FALSE(startup->loginForm()->isVisible());
    EXPECT_TRUE(startup->mainForm()->isVisible());
    EXPECT_EQ(startup->context().currentOperator(), QStringLiteral("超级用户"));
    EXPECT_EQ(startup->mainForm()->windowTitle(),
              QStringLiteral("澄岚跆拳道馆管理系统5.6版     用户名称：澄岚跆拳道馆"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(startup->splash(), nullptr) << "login frees the splash";
}

TEST_F(StartupTest, ExitAsksThenBacksUpAndClosesTheDatabase)
{
    login(QString::fromUtf16(security::kInitialSuperUserPassword));
    messages.answer({false});
    EXPECT_FALSE(startup->mainForm()->requestExit());
    EXPECT_EQ(messages.texts.back(), QStringLiteral("您确定退出本系统吗？"));
    EXPECT_TRUE(startup->context().velunDMForm().isConnected()) << "cancel changes nothing";
    EXPECT_FALSE(QDir(paths.defaultAutoBackupDir()).exists());

    messages.answer({true});
    EXPECT_TRUE(startup->mainForm()->requestExit());
    EXPECT_FALSE(startup->context().velunDMForm().isConnected());
    const QString backup = QDir(paths.defaultAutoBackupDir()).filePath(AutoBackup::fileNameFor(QDate(2024, 3, 15)));
    ASSERT_TRUE(QFileInfo::exists(backup));
    Database copy;
    copy.open(backup, QString::fromUtf16(kDatabaseKey));
    EXPECT_EQ(copy.scalar(QStringLiteral("select count(*) from [操作人员]")).toInt(), 1);
}

TEST_F(StartupTest, ClosingMainWindowWithCancelKeepsItOpen)
{
    login(QString::fromUtf16(security::kInitialSuperUserPassword));
    messages.answer({false});
    startup->mainForm()->close();
    EXPECT_TRUE(startup->mainForm()->isVisible());
}

TEST_F(StartupTest, InputMethodChoiceIsWrittenForTheNextStart)
{
    gui::TsrfForm* form = startup->registry()->window<gui::TsrfForm>();
    auto* combo = form->findChild<QComboBox*>(QStringLiteral("inputMethodCombo"));
    ASSERT_NE(combo, nullptr);
    combo->addItem(QStringLiteral("rime"));
    combo->setCurrentText(QStringLiteral("rime"));
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    EXPECT_EQ(Config::load(paths.iniFile()).inputMethod, QString()) << "cancel writes nothing";
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    EXPECT_EQ(Config::load(paths.iniFile()).inputMethod, QStringLiteral("rime"));
    EXPECT_EQ(startup->inputMethodFields()->engine(), QString()) << "the running program keeps its setting";
}

TEST_F(StartupTest, SecondProgramOnTheSameFolderIsRefused)
{
    gui::Startup second(paths, std::make_unique<Clock>());
    EXPECT_FALSE(second.start());
    EXPECT_EQ(messages.texts, QStringList{QStringLiteral("本系统已经在运行，同一数据目录不能同时打开两个程序！")});
    EXPECT_EQ(messages.icons.back(), gui::MessageIcon::Error);
    EXPECT_EQ(second.loginForm(), nullptr);
    EXPECT_FALSE(second.context().velunDMForm().isConnected()) << "the second copy never opened the file";

    login(QString::fromUtf16(security::kInitialSuperUserPassword));
    EXPECT_TRUE(startup->mainForm()->isVisible()) << "the first copy goes on";

    startup.reset();
    gui::Startup third(paths, std::make_unique<Clock>());
    EXPECT_TRUE(third.start()) << "the folder is free once the first copy ended";
}

TEST_F(StartupTest, FailedReadAtLoginKeepsTheLoginWindow)
{
    startup->context().velunDMForm().change(QStringLiteral("alter table [用户信息] rename to [用户信息旧]"));
    login(QString::fromUtf16(security::kInitialSuperUserPassword));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts.front().contains(QStringLiteral("no such table")))
        << messages.texts.front().toStdString();
    EXPECT_TRUE(startup->loginForm()->isVisible()) << "a window is left to go on from";
    EXPECT_FALSE(startup->mainForm()->isVisible());
    EXPECT_TRUE(startup->context().currentOperator().isEmpty()) << "nobody is logged in";

    startup->context().velunDMForm().change(QStringLiteral("alter table [用户信息旧] rename to [用户信息]"));
    login(QString::fromUtf16(security::kInitialSuperUserPassword));
    EXPECT_TRUE(startup->mainForm()->isVisible());
}

TEST_F(StartupTest, WindowsMadeOnFirstUseGetTheInputMethod)
{
    startup.reset();
    Config::writeKey(paths.iniFile(), QStringLiteral("Input"), QStringLiteral("rime"));
    startup = std::make_unique<gui::Startup>(paths, std::make_unique<Clock>());
    ASSERT_TRUE(startup->start());
    login(QString::fromUtf16(security::kInitialSuperUserPassword));
    gui::CommandRegistry* registry = startup->registry();
    ASSERT_FALSE(registry->hasWindow<gui::TuserinfoForm>()) << "not made before it is used";
    auto* form = registry->window<gui::TuserinfoForm>();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(form->findChild<QLineEdit*>(QStringLiteral("hallNameEdit")), &focusIn);
    EXPECT_EQ(startup->inputMethodFields()->switches(), 1) << "the hall's name is free text";
    QApplication::sendEvent(startup->mainForm()->memberPanel()->cardNumberEdit(), &focusIn);
    EXPECT_EQ(startup->inputMethodFields()->switches(), 2) << "the desk's card field, made at start";
}

TEST(StartupFailure, ErrorAfterTheDatabaseOpensEndsTheProgramCleanly)
{
    QTemporaryDir folder;
    const AppPaths paths = AppPaths::inFolder(folder.path());
    {
        TvelunDMForm dm;
        dm.connect(paths.databaseFile(), QString::fromUtf16(kDatabaseKey));
        dm.change(QStringLiteral("drop table [短信设置]"));
    }
    test::ScriptedMessages messages;
    gui::Startup startup(paths, std::make_unique<Clock>());
    EXPECT_FALSE(startup.start());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts.front().contains(QStringLiteral("no such table")))
        << messages.texts.front().toStdString();
    EXPECT_EQ(messages.icons.front(), gui::MessageIcon::Error);
    EXPECT_EQ(startup.loginForm(), nullptr) << "no window is left behind";
    EXPECT_EQ(startup.mainForm(), nullptr);
    EXPECT_EQ(startup.splash(), nullptr);
    EXPECT_FALSE(startup.context().velunDMForm().isConnected());
}

TEST(StartupFailure, UnreadableDatabaseStopsBeforeLogin)
{
    QTemporaryDir folder;
    const AppPaths paths = AppPaths::inFolder(folder.path());
    QDir().mkpath(paths.dataDir());
    QFile garbage(paths.databaseFile());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    test::ScriptedMessages messages;
    gui::Startup startup(paths, std::make_unique<Clock>());
    EXPECT_FALSE(startup.start());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts.front().startsWith(QStringLiteral("无法打开数据库")))
        << messages.texts.front().toStdString();
    EXPECT_EQ(startup.loginForm(), nullptr);
    EXPECT_EQ(QFileInfo(paths.databaseFile()).size(), 4096) << "the file is left as it was";
}

} // namespace

namespace {

TEST(WindowCaptions, NoDisplayNameIsAppendedByTheDesktop)
{
    // The desktop appends a display name to every caption only when one was set.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    std::vector<gui::MessageRequest> shown;
    gui::Messages::setHandler([&shown](const gui::MessageRequest& r) {
        shown.push_back(r);
        return true;
    });
    gui::Messages::warning(nullptr, QStringLiteral("x"));
    gui::Messages::failure(nullptr, QStringLiteral("y"));
    gui::Messages::resetHandler();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, QStringLiteral("提示信息"));
    EXPECT_EQ(shown[1].caption, QStringLiteral("澄岚跆拳道馆管理系统")) << "the standard error box";
}

TEST(ErrorBoundary, EngineErrorOfACommandIsShownAndTheProgramGoesOn)
{
    test::ScriptedMessages messages;
    bool later = false;
    QTimer::singleShot(0, [] { throw DbError(QStringLiteral("no such table: 会员信息")); });
    QTimer::singleShot(0, [&later] { later = true; });
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts.front(), QStringLiteral("no such table: 会员信息"));
    EXPECT_EQ(messages.icons.front(), gui::MessageIcon::Error);
    EXPECT_TRUE(later) << "the next event still runs";
}

} // namespace
