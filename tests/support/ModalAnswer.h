#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class QTimer;

namespace tkd::test {

// How long a modal window may stay open: after its answer, and when it is not the one awaited.
struct ModalBounds {
    std::chrono::milliseconds close = std::chrono::seconds(5);
    std::chrono::milliseconds stranger = std::chrono::seconds(5);
};

// Answers the next modal window that matches, from inside its exec(): as soon as it is the active
// modal widget the answer runs with it, and it must then close. Instead of the test hanging:
// - a window that is still open once the close bound has passed after its answer is a failure
//   ("… did not close after its answer"), and it is hidden so that exec() returns;
// - another modal window left open while this one is awaited is a failure ("… stayed open") and is
//   hidden the same way;
// - a window that never came is a failure when the answer is destroyed (or reported by result()).
// Create it before the code that opens the window runs; keep it alive until that code returned.
class ModalAnswer {
public:
    using Matcher = std::function<bool(QWidget*)>;
    using Answer = std::function<void(QWidget*)>;

    ModalAnswer(QString description, Matcher matches, Answer answer, ModalBounds bounds = {});
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    // Success once the window came, was answered and closed; checking it counts as reporting.
    ::testing::AssertionResult result();
    bool answered() const { return m_state != State::Waiting; }

private:
    enum class State { Waiting, Answered, Closed, Stuck };
    void poll();
    void fail(QWidget* window, const std::string& why);

    QString m_description;
    Matcher m_matches;
    Answer m_answer;
    ModalBounds m_bounds;
    State m_state = State::Waiting;
    bool m_reported = false;
    std::unique_ptr<QTimer> m_timer;
    QPointer<QWidget> m_window;
    std::chrono::steady_clock::time_point m_answeredAt;
    QPointer<QWidget> m_stranger;
    std::chrono::steady_clock::time_point m_strangerSince;
};

// The next modal window of that class (and object name, when given), answered with a typed callback:
//     const auto answer = test::answerNextModal<ThydjForm>([](ThydjForm* form) { form->accept(); });
//     frontDesk->checkIn();
//     EXPECT_TRUE(answer->result());
template <typename Window, typename Fn>
std::unique_ptr<ModalAnswer> answerNextModal(Fn answer, const QString& objectName = {}, ModalBounds bounds = {})
{
    QString description = QString::fromLatin1(Window::staticMetaObject.className());
    if (!objectName.isEmpty())
        description += QStringLiteral(" \"%1\"").arg(objectName);
    return std::make_unique<ModalAnswer>(
        description,
        [objectName](QWidget* w) {
            return dynamic_cast<Window*>(w) && (objectName.isEmpty() || w->objectName() == objectName);
        },
        [answer](QWidget* w) { answer(static_cast<Window*>(w)); }, bounds);
}

} // namespace tkd::test
