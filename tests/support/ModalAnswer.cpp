#include "ModalAnswer.h"

#include <QApplication>
#include <QTimer>

namespace tkd::test {
namespace {

std::string describe(QWidget* window)
{
    std::string text = window->metaObject()->className();
    if (!window->objectName().isEmpty())
        text += " \"" + window->objectName().toStdString() + "\"";
    if (!window->windowTitle().isEmpty())
        text += " (" + window->windowTitle().toStdString() + ")";
    return text;
}

} // namespace

ModalAnswer::ModalAnswer(QString description, Matcher matches, Answer answer, ModalBounds bounds)
    : m_description(std::move(description)), m_matches(std::move(matches)), m_answer(std::move(answer)),
      m_bounds(bounds), m_timer(std::make_unique<QTimer>())
{
    // A timer fires inside any event loop, the modal window's own exec() included.
    m_timer->setInterval(std::chrono::milliseconds(10));
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { poll(); });
    m_timer->start();
}

ModalAnswer::~ModalAnswer()
{
    m_timer->stop();
    if (m_state == State::Waiting && !m_reported)
        ADD_FAILURE() << "no modal window " << m_description.toStdString() << " appeared";
}

::testing::AssertionResult ModalAnswer::result()
{
    m_reported = true;
    // The window may have closed after the last poll, once no event loop ran any more.
    if (m_state == State::Answered && (!m_window || !m_window->isVisible()))
        m_state = State::Closed;
    switch (m_state) {
    case State::Waiting:
        return ::testing::AssertionFailure() << "no modal window " << m_description.toStdString() << " appeared";
    case State::Answered:
        return ::testing::AssertionFailure() << m_description.toStdString() << " is still open after its answer";
    case State::Stuck:
        return ::testing::AssertionFailure() << m_description.toStdString() << " did not close after its answer";
    case State::Closed:
        break;
    }
    return ::testing::AssertionSuccess();
}

void ModalAnswer::fail(QWidget* window, const std::string& why)
{
    ADD_FAILURE() << describe(window) << ' ' << why;
    // Hiding a dialog ends its exec(), so the code under test returns and the test goes on.
    window->hide();
}

void ModalAnswer::poll()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_state == State::Answered) {
        if (!m_window || !m_window->isVisible()) {
            m_state = State::Closed;
            m_timer->stop();
        } else if (now - m_answeredAt > m_bounds.close) {
            m_state = State::Stuck;
            m_timer->stop();
            fail(m_window, "did not close after its answer");
        }
        return;
    }
    if (m_state != State::Waiting)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (m_matches(modal)) {
        m_state = State::Answered;
        m_window = modal;
        m_answeredAt = now;
        m_answer(modal);
        return;
    }
    if (modal != m_stranger) {
        m_stranger = modal;
        m_strangerSince = now;
    } else if (now - m_strangerSince > m_bounds.stranger) {
        m_stranger = nullptr;
        fail(modal, "stayed open while " + m_description.toStdString() + " was awaited");
    }
}

} // namespace tkd::test
