#include "kit/FormKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QValidator>
#include <gtest/gtest.h>

namespace kit = tkd::gui::kit;

namespace {

// Fields in tab order, as a data-entry window lays them out.
struct EntryWindow {
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    QLineEdit* card = add<QLineEdit>("cardEdit");
    QLineEdit* name = add<QLineEdit>("nameEdit");
    QComboBox* sex = add<QComboBox>("sexCombo");
    QSpinBox* count = add<QSpinBox>("countSpin");
    QDateEdit* date = add<QDateEdit>("dateEdit");
    QCheckBox* active = add<QCheckBox>("activeCheck");
    QPlainTextEdit* note = add<QPlainTextEdit>("noteEdit");
    QLineEdit* search = add<QLineEdit>("searchEdit");
    QPushButton* save = add<QPushButton>("saveButton");

    EntryWindow()
    {
        sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
        kit::markEnterSubmits(search);
        kit::installEnterMovesFocus(&window);
        window.show();
    }
    template <typename W> W* add(const char* name)
    {
        auto* w = new W;
        w->setObjectName(QLatin1String(name));
        layout->addWidget(w);
        return w;
    }
    // Where Enter pressed on the field leaves the window's focus.
    QWidget* enterOn(QWidget* field)
    {
        field->setFocus(Qt::OtherFocusReason);
        EXPECT_EQ(window.focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Return);
        return window.focusWidget();
    }
};

TEST(FormKitEnter, MovesFromEachFieldToTheNextInTabOrder)
{
    EntryWindow w;
    const std::vector<std::pair<QWidget*, QWidget*>> steps = {
        {w.card, w.name}, {w.name, w.sex}, {w.sex, w.count}, {w.count, w.date}, {w.date, w.active}, {w.active, w.note},
    };
    for (const auto& [from, to] : steps) {
        SCOPED_TRACE(from->objectName().toStdString());
        EXPECT_EQ(w.enterOn(from), to) << "expected " << to->objectName().toStdString();
    }
    EXPECT_FALSE(w.active->isChecked()) << "Enter on a check box does not toggle it";

    w.name->setFocus();
    QTest::keyClick(w.name, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.window.focusWidget(), w.sex) << "the keypad Enter moves as Return does";
}

TEST(FormKitEnter, SkipsFieldsThatCannotTakeTheFocus)
{
    EntryWindow w;
    w.name->setEnabled(false);
    w.sex->hide();
    EXPECT_EQ(w.enterOn(w.card), w.count);
}

TEST(FormKitEnter, TextEditorsButtonsAndSubmittingEditsKeepTheirOwnEnter)
{
    EntryWindow w;
    EXPECT_EQ(w.enterOn(w.note), w.note);
    EXPECT_EQ(w.note->toPlainText(), QStringLiteral("\n"));

    QSignalSpy submitted(w.search, &QLineEdit::returnPressed);
    EXPECT_EQ(w.enterOn(w.search), w.search);
    EXPECT_EQ(submitted.count(), 1);

    QSignalSpy pressed(w.save, &QPushButton::clicked);
    w.enterOn(w.save);
    EXPECT_EQ(pressed.count(), 1) << "a button outside a dialog is pressed by Enter too";
}

TEST(FormKitEnter, CoversFieldsAddedAfterInstalling)
{
    EntryWindow w;
    kit::installEnterMovesFocus(&w.window);
    auto* box = new QWidget;
    auto* inner = new QVBoxLayout(box);
    auto* late = new QLineEdit;
    inner->addWidget(late);
    w.layout->addWidget(box);
    QWidget::setTabOrder(late, w.card);
    EXPECT_EQ(w.enterOn(late), w.card);

    QSignalSpy pressed(w.save, &QPushButton::clicked);
    w.enterOn(w.save);
    EXPECT_EQ(pressed.count(), 1) << "installing twice must not press the button twice";
}

struct Typing {
    void (*filter)(QLineEdit*);
    const char* name;
    QString typed;
    QString kept;
};

void PrintTo(const Typing& t, std::ostream* os)
{
    *os << t.name << ": \"" << t.typed.toStdString() << "\" keeps \"" << t.kept.toStdString() << '"';
}

class FormKitFilter : public ::testing::TestWithParam<Typing> {};

// QTest types ASCII only; an input method delivers other characters as key events with text.
void type(QLineEdit* edit, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(edit, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

TEST_P(FormKitFilter, KeepsOnlyWhatTheFieldAccepts)
{
    QLineEdit edit;
    GetParam().filter(&edit);
    type(&edit, GetParam().typed);
    EXPECT_EQ(edit.text(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    FormKit, FormKitFilter,
    ::testing::Values(Typing{kit::digitsOnly, "DigitsRefuseLetters", QStringLiteral("12a3"), QStringLiteral("123")},
                      Typing{kit::digitsOnly, "DigitsRefuseAPoint", QStringLiteral("1.5"), QStringLiteral("15")},
                      Typing{kit::digitsOnly, "DigitsRefuseFullWidth", QStringLiteral("１2"), QStringLiteral("2")},
                      Typing{kit::moneyOnly, "MoneyTakesCents", QStringLiteral("12.50"), QStringLiteral("12.50")},
                      Typing{kit::moneyOnly, "MoneyTakesOnePoint", QStringLiteral("1.2.3"), QStringLiteral("1.23")},
                      Typing{kit::moneyOnly, "MoneyRefusesSigns", QStringLiteral("-5元"), QStringLiteral("5")},
                      Typing{kit::rateOnly, "RateTakesAFraction", QStringLiteral("0.85"), QStringLiteral("0.85")},
                      Typing{kit::rateOnly, "RateTakesOnePoint", QStringLiteral("0..8"), QStringLiteral("0.8")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormKitFilters, EditingKeysStillWork)
{
    QLineEdit edit;
    kit::moneyOnly(&edit);
    QTest::keyClicks(&edit, QStringLiteral("12.5"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, QStringLiteral(".7"));
    EXPECT_EQ(edit.text(), QStringLiteral("12.7")) << "the point deleted may be typed again";
}

TEST(FormKitFilters, PastedLettersDoNotGetIn)
{
    QLineEdit digits;
    kit::digitsOnly(&digits);
    digits.insert(QStringLiteral("12a"));
    EXPECT_EQ(digits.text(), QString()) << "insert is the path a paste takes";
    digits.insert(QStringLiteral("42"));
    EXPECT_EQ(digits.text(), QStringLiteral("42"));

    QLineEdit money;
    kit::moneyOnly(&money);
    money.insert(QStringLiteral("3.5"));
    money.insert(QStringLiteral(".1"));
    EXPECT_EQ(money.text(), QStringLiteral("3.5"));

    const auto state = [](QLineEdit& edit, const QString& text) {
        edit.setText(text);
        QString t = edit.text();
        int pos = 0;
        return edit.validator()->validate(t, pos);
    };
    EXPECT_EQ(state(digits, QStringLiteral("12a")), QValidator::Invalid);
    EXPECT_FALSE(digits.hasAcceptableInput());
    EXPECT_EQ(state(digits, QStringLiteral("0012")), QValidator::Acceptable);
    EXPECT_EQ(state(money, QStringLiteral("12.50")), QValidator::Acceptable);
    EXPECT_EQ(state(money, QStringLiteral("12.5.0")), QValidator::Invalid);
}

TEST(FormKitCaption, LabelIsTheBuddyAndNamesTheField)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setObjectName(QStringLiteral("cardEdit"));
    QLabel* label = kit::captionFor(edit, QStringLiteral("卡号："), &window);
    EXPECT_EQ(label->text(), QStringLiteral("卡号："));
    EXPECT_EQ(label->buddy(), edit);
    EXPECT_EQ(label->parentWidget(), &window);
    EXPECT_EQ(label->objectName(), QStringLiteral("cardEditCaption"));
    EXPECT_EQ(edit->accessibleName(), QStringLiteral("卡号"));

    auto* amount = new QLineEdit(&window);
    kit::captionFor(amount, QStringLiteral("金额(&M):"), &window);
    EXPECT_EQ(amount->accessibleName(), QStringLiteral("金额(M)")) << "no colon and no mnemonic marker";
}

TEST(FormKitCaption, RowsPutTheCaptionBesideItsField)
{
    QWidget window;
    auto* form = new QFormLayout(&window);
    auto* name = new QLineEdit;
    QLabel* caption = kit::addRow(form, QStringLiteral("姓名："), name);
    EXPECT_EQ(form->labelForField(name), caption);
    EXPECT_EQ(caption->buddy(), name);
    EXPECT_EQ(name->accessibleName(), QStringLiteral("姓名"));

    QWidget other;
    auto* grid = new QGridLayout(&other);
    auto* phone = new QLineEdit;
    QLabel* phoneCaption = kit::addRow(grid, 1, 2, QStringLiteral("电话："), phone, 3);
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(phoneCaption), &row, &column, &rowSpan, &columnSpan);
    EXPECT_EQ(std::make_pair(row, column), std::make_pair(1, 2));
    grid->getItemPosition(grid->indexOf(phone), &row, &column, &rowSpan, &columnSpan);
    EXPECT_EQ(std::make_tuple(row, column, columnSpan), std::make_tuple(1, 3, 3));
    EXPECT_EQ(phoneCaption->buddy(), phone);
    EXPECT_EQ(phone->accessibleName(), QStringLiteral("电话"));
}

} // namespace
