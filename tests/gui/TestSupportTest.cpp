#include "ModalAnswer.h"
#include "Waiting.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// A dialog whose validation never lets it close, as a broken window would behave.
class StubbornDialog : public QDialog {
public:
    void done(int) override {}
};

constexpr tkd::test::ModalBounds kShortBounds{200ms, 200ms};

} // namespace

TEST(ModalAnswer, AnswersTheDialogOfItsNameFromInsideExec)
{
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("askDialog"));
    QDialog* answered = nullptr;
    const auto answer = tkd::test::answerNextModal<QDialog>(
        [&](QDialog* d) {
            answered = d;
            d->accept();
        },
        QStringLiteral("askDialog"));
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(answered, &dialog);
    EXPECT_TRUE(answer->result());
}

TEST(ModalAnswer, ADialogThatRefusesToCloseFailsInsteadOfHanging)
{
    StubbornDialog dialog;
    EXPECT_NONFATAL_FAILURE(
        {
            const auto answer =
                tkd::test::answerNextModal<QDialog>([](QDialog* d) { d->accept(); }, QString(), kShortBounds);
            dialog.exec();
            EXPECT_FALSE(answer->result());
        },
        "did not close after its answer");
    EXPECT_FALSE(dialog.isVisible()) << "the helper ended the dialog's exec()";
}

TEST(ModalAnswer, AnotherModalLeftOpenFailsInsteadOfHanging)
{
    QDialog other;
    other.setObjectName(QStringLiteral("otherDialog"));
    EXPECT_NONFATAL_FAILURE(
        {
            const auto answer = tkd::test::answerNextModal<QDialog>([](QDialog* d) { d->accept(); },
                                                                    QStringLiteral("askDialog"), kShortBounds);
            other.exec();
            EXPECT_FALSE(answer->answered());
            (void)answer->result();
        },
        "\"otherDialog\" stayed open while QDialog \"askDialog\" was awaited");
}

TEST(ModalAnswer, ADialogThatNeverCameIsAFailure)
{
    EXPECT_NONFATAL_FAILURE(
        { const auto answer = tkd::test::answerNextModal<QDialog>([](QDialog* d) { d->accept(); }); },
        "no modal window QDialog appeared");
}

TEST(WaitUntil, ReturnsOnceTheEventLoopMadeTheConditionTrue)
{
    bool fired = false;
    QTimer::singleShot(20ms, [&] { fired = true; });
    EXPECT_TRUE(tkd::test::waitUntil([&] { return fired; }, QStringLiteral("the timer")));
    EXPECT_TRUE(fired);
}

TEST(WaitUntil, GivesUpAfterItsBoundNamingWhatItAwaited)
{
    const ::testing::AssertionResult result =
        tkd::test::waitUntil([] { return false; }, QStringLiteral("a reply that never comes"), 50ms);
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("a reply that never comes"), std::string::npos) << result.message();
}
