#include "TzjygForm.h"

#include "app/Session.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "lockers/LockerRegister.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tkd::gui {

TzjygForm::TzjygForm(Session& session, QWidget* parent)
    : QDialog(parent), m_session(session),
      m_digits(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this))
{
    setObjectName(QStringLiteral("zjygForm"));
    setWindowTitle(QStringLiteral("衣柜信息"));
    auto* group = new QGroupBox(QStringLiteral("衣柜设置"), this);
    m_first = new QLineEdit(group);
    m_first->setObjectName(QStringLiteral("firstEdit"));
    m_second = new QLineEdit(group);
    m_second->setObjectName(QStringLiteral("secondEdit"));
    m_prefix = new QLineEdit(group);
    m_prefix->setObjectName(QStringLiteral("prefixEdit"));
    m_deposit = new QLineEdit(group);
    m_deposit->setObjectName(QStringLiteral("depositEdit"));
    kit::moneyOnly(m_deposit);
    m_remark = new QPlainTextEdit(group);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    m_remark->setTabChangesFocus(true);
    m_remark->setFixedHeight(60);
    m_state = new QComboBox(group);
    m_state->setObjectName(QStringLiteral("stateCombo"));
    // A locker becomes rented only by renting it.
    m_state->addItems(lockers::editableStates());
    for (QWidget* w : {static_cast<QWidget*>(m_prefix), static_cast<QWidget*>(m_remark)})
        InputMethodFields::markFreeText(w);

    auto* form = new QGridLayout(group);
    m_firstCaption = kit::addRow(form, 0, 0, QStringLiteral("起始编号："), m_first);
    m_secondCaption = kit::addRow(form, 1, 0, QStringLiteral("结束编号："), m_second);
    m_prefixCaption = kit::addRow(form, 2, 0, QStringLiteral("编号前缀："), m_prefix);
    kit::addRow(form, 3, 0, QStringLiteral("押    金："), m_deposit);
    kit::addRow(form, 4, 0, QStringLiteral("备    注："), m_remark);
    m_stateCaption = kit::addRow(form, 5, 0, QStringLiteral("状    态："), m_state);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, &TzjygForm::save);
    kit::installEnterMovesFocus(this);

    m_fields.add(lockers::lockerField::startNumber, m_first)
        .add(lockers::lockerField::endNumber, m_second)
        .add(lockers::lockerField::number, m_first)
        .add(lockers::lockerField::name, m_second)
        .add(lockers::lockerField::prefix, m_prefix)
        .add(lockers::lockerField::deposit, m_deposit)
        .add(lockers::lockerField::state, m_state)
        .add(lockers::lockerField::remark, m_remark);
}

void TzjygForm::prepareBatch()
{
    m_batch = true;
    m_firstCaption->setText(QStringLiteral("起始编号："));
    m_secondCaption->setText(QStringLiteral("结束编号："));
    for (QLineEdit* number : {m_first, m_second}) {
        number->setValidator(m_digits);
        number->setText(QStringLiteral("0"));
    }
    m_prefix->clear();
    m_prefixCaption->show();
    m_prefix->show();
    m_deposit->setText(QStringLiteral("0"));
    m_remark->clear();
    m_stateCaption->hide();
    m_state->hide();
    m_first->setFocus();
}

void TzjygForm::prepareEdit(const lockers::LockerEdit& locker)
{
    m_batch = false;
    m_id = locker.id;
    m_firstCaption->setText(QStringLiteral("衣柜编号："));
    m_secondCaption->setText(QStringLiteral("衣柜名称："));
    for (QLineEdit* text : {m_first, m_second}) {
        text->setValidator(nullptr);
        InputMethodFields::markFreeText(text);
    }
    m_first->setText(locker.number);
    m_second->setText(locker.name);
    m_prefixCaption->hide();
    m_prefix->hide();
    m_deposit->setText(locker.deposit);
    m_remark->setPlainText(locker.remark);
    m_stateCaption->show();
    m_state->show();
    m_state->setCurrentIndex(m_state->findText(locker.state));
    m_first->setFocus();
}

void TzjygForm::save()
{
    if (m_batch) {
        const Outcome<int> added =
            lockers::addLockers(m_session.command(), {m_prefix->text(), m_first->text(), m_second->text(),
                                                      m_deposit->text(), m_remark->toPlainText()});
        if (added.refused()) {
            m_fields.showRefusal(this, added.refusal());
            return;
        }
    } else {
        lockers::LockerEdit edit;
        edit.id = m_id;
        edit.number = m_first->text();
        edit.name = m_second->text();
        edit.deposit = m_deposit->text();
        edit.state = m_state->currentText();
        edit.remark = m_remark->toPlainText();
        const Outcome<> saved = lockers::editLocker(m_session.command(), edit);
        if (saved.refused()) {
            m_fields.showRefusal(this, saved.refusal());
            return;
        }
    }
    accept();
}

} // namespace tkd::gui
