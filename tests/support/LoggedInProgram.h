#pragma once

#include "ScriptedMessages.h"
#include "TestDatabase.h"
#include "app/CommandRegistry.h"
#include "app/Startup.h"
#include "app/TLoginForm.h"
#include "app/TmainForm.h"
#include "frontdesk/FrontDesk.h"
#include "frontdesk/HistoryTabs.h"
#include "frontdesk/MemberPanel.h"
#include "security/PasswordHash.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tkd::test {

// The whole program on a fresh database of its own: started as the program starts, the super
// user logged in through the login window, the main window shown (offscreen). Message boxes
// are scripted from the start. Tests reach windows as the commands do, through the registry.
//
//     class MyTest : public test::LoggedInProgram {};
//     TEST_F(MyTest, ...) { run("permissions"); window<gui::TczszForm>() ... }
//
// A fixture that needs more set-up calls LoggedInProgram::SetUp() first and stops when it failed.
class LoggedInProgram : public ::testing::Test {
protected:
    // 2024-03-15 09:00, a Friday; clock().set() moves it.
    static QDateTime startMoment() { return QDateTime(QDate(2024, 3, 15), QTime(9, 0)); }

    void SetUp() override
    {
        // The seeded copy is the program's file; the program opens it itself.
        m_database.dm().disconnect();
        auto clock = std::make_unique<FixedClock>(startMoment());
        m_clock = clock.get();
        m_startup = std::make_unique<gui::Startup>(AppPaths::inFolder(m_database.folder()), std::move(clock));
        ASSERT_TRUE(m_startup->start()) << messages.texts.join(u'\n').toStdString();
        m_startup->loginForm()
            ->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))
            ->setText(QString::fromUtf16(security::kInitialSuperUserPassword));
        m_startup->loginForm()->findChild<QPushButton*>(QStringLiteral("loginButton"))->click();
        ASSERT_TRUE(main()->isVisible()) << messages.texts.join(u'\n').toStdString();
        ASSERT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u'\n').toStdString();
    }

    gui::Startup& startup() { return *m_startup; }
    AppContext& context() { return m_startup->context(); }
    TvelunDMForm& dm() { return context().velunDMForm(); }
    FixedClock& clock() { return *m_clock; }
    const QString& folder() const { return m_database.folder(); }
    gui::TmainForm* main() const { return m_startup->mainForm(); }
    gui::CommandRegistry& registry() const { return *main()->registry(); }
    template <typename T> T* window() const { return registry().window<T>(); }
    gui::MemberPanel* panel() const { return main()->memberPanel(); }
    gui::HistoryTabs* tabs() const { return main()->historyTabs(); }
    gui::FrontDesk* desk() const { return main()->desk(); }

    // Runs a command as its toolbar button, outlook item or menu item does.
    void run(const char* command) const { registry().action(QString::fromLatin1(command))->trigger(); }
    // A card number typed at the desk and Enter pressed.
    void swipe(const QString& card) const
    {
        QLineEdit* field = panel()->cardNumberEdit();
        field->setText(card);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // The value the member panel shows under its caption ("会员名称：").
    QString shown(const char16_t* caption) const { return panel()->value(QString::fromUtf16(caption))->text(); }

    ScriptedMessages messages;

private:
    TestDatabase m_database;
    FixedClock* m_clock = nullptr;
    std::unique_ptr<gui::Startup> m_startup;
};

} // namespace tkd::test
