#include "TyglrForm.h"

#include "TzwlrForm.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "staff/Staff.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

TyglrForm::TyglrForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("yglrForm"));
    setWindowTitle(QStringLiteral("员工信息"));
    auto edit = [this](const char* name, bool freeText) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        if (freeText)
            InputMethodFields::markFreeText(e);
        return e;
    };
    m_name = edit("nameEdit", true);
    m_phone = edit("phoneEdit", false);
    m_address = edit("addressEdit", true);
    m_remark = edit("remarkEdit", true);
    m_title = new QComboBox(this);
    m_title->setObjectName(QStringLiteral("titleCombo"));
    m_status = new QComboBox(this);
    m_status->setObjectName(QStringLiteral("statusCombo"));
    m_status->addItems(staff::statuses());
    auto* titles = new QToolButton(this);
    titles->setObjectName(QStringLiteral("jobTitlesButton"));
    titles->setText(QStringLiteral("…"));
    titles->setToolTip(QStringLiteral("职务设置"));
    titles->setAccessibleName(QStringLiteral("职务设置"));
    m_jobTitles = new TzwlrForm(session, this);

    auto* group = new QGroupBox(QStringLiteral("员工信息"), this);
    auto* grid = new QGridLayout(group);
    kit::addRow(grid, 0, 0, QStringLiteral("员工姓名："), m_name);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(titles);
    QLabel* titleCaption = kit::captionFor(m_title, QStringLiteral("所任职务："), group);
    titleCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(titleCaption, 0, 2);
    grid->addLayout(titleRow, 0, 3);
    kit::addRow(grid, 1, 0, QStringLiteral("联系电话："), m_phone);
    kit::addRow(grid, 1, 2, QStringLiteral("员工状态："), m_status);
    kit::addRow(grid, 2, 0, QStringLiteral("联系地址："), m_address, 3);
    kit::addRow(grid, 3, 0, QStringLiteral("备    注："), m_remark, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    const auto buttons = kit::addDialogButtons(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, &TyglrForm::save);
    connect(titles, &QToolButton::clicked, this, &TyglrForm::openJobTitles);
    // Enter and Tab go through the fields in the order the form reads.
    const QWidget* order[] = {m_name,    m_title,  titles,     m_phone,       m_status,
                              m_address, m_remark, buttons.ok, buttons.cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    kit::installEnterMovesFocus(this);
    m_fields.add(staff::field::name, m_name).add(staff::field::title, m_title);
}

void TyglrForm::fillTitles(const QString& select)
{
    m_title->clear();
    m_title->addItems(staff::jobTitles(m_session.velunDMForm()));
    m_title->setCurrentIndex(select.isEmpty() ? -1 : m_title->findText(select));
}

void TyglrForm::prepareAdd()
{
    m_editId.reset();
    fillTitles({});
    m_status->setCurrentIndex(0);
    for (QLineEdit* e : {m_name, m_phone, m_address, m_remark})
        e->clear();
    m_name->setFocus();
}

bool TyglrForm::prepareEdit(qint64 id)
{
    const auto stored = staff::find(m_session.velunDMForm(), id);
    if (!stored)
        return false;
    m_editId = id;
    // A title that was deleted since is not offered: the dialog then shows none chosen.
    fillTitles(stored->title);
    m_status->setCurrentIndex(m_status->findText(stored->status));
    m_name->setText(stored->name);
    m_phone->setText(stored->phone);
    m_address->setText(stored->address);
    m_remark->setText(stored->remark);
    m_name->setFocus();
    return true;
}

void TyglrForm::openJobTitles()
{
    m_jobTitles->prepare();
    if (m_jobTitles->exec() == QDialog::Accepted)
        fillTitles(m_jobTitles->chosenTitle());
}

void TyglrForm::save()
{
    staff::Input input;
    input.name = m_name->text();
    input.title = m_title->currentIndex() < 0 ? QString() : m_title->currentText();
    input.phone = m_phone->text();
    input.status = m_status->currentText();
    input.address = m_address->text();
    input.remark = m_remark->text();
    if (const Outcome<> saved = staff::save(m_session.command(), input, m_editId); saved.refused()) {
        m_fields.showRefusal(this, saved.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
