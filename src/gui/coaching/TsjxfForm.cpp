#include "TsjxfForm.h"

#include "CoachingMemberBox.h"
#include "app/Session.h"
#include "coaching/CoachingLists.h"
#include "coaching/Packages.h"
#include "kit/CaptionedValue.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "members/TxzjsrForm.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

TsjxfForm::TsjxfForm(Session& session, std::function<TxzjsrForm*()> picker, QWidget* parent)
    : QDialog(parent), m_session(session), m_picker(std::move(picker))
{
    setObjectName(QStringLiteral("sjxfForm"));
    setWindowTitle(QStringLiteral("私教消费"));
    m_member = new CoachingMemberBox(this);

    auto* group = new QGroupBox(QStringLiteral("消费信息"), this);
    auto value = [group](const char* name, const QString& caption) {
        auto* label = new QLabel(group);
        label->setObjectName(QString::fromLatin1(name));
        kit::captionValue(label, caption);
        return label;
    };
    m_coach = value("packageCoachLabel", QStringLiteral("教练姓名："));
    m_item = value("packageItemLabel", QStringLiteral("项目名称："));
    m_left = value("packageLeftLabel", QStringLiteral("剩余数量："));
    m_quantity = new QLineEdit(group);
    m_quantity->setObjectName(QStringLiteral("quantityEdit"));
    kit::digitsOnly(m_quantity);
    m_date = new QDateEdit(group);
    m_date->setObjectName(QStringLiteral("lessonDateEdit"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_remark = new QLineEdit(group);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);

    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("教练姓名："), group), 0, 0);
    grid->addWidget(m_coach, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("项目名称："), group), 0, 2);
    grid->addWidget(m_item, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("剩余数量："), group), 0, 4);
    grid->addWidget(m_left, 0, 5);
    kit::addRow(grid, 1, 0, QStringLiteral("消费数量："), m_quantity);
    kit::addRow(grid, 1, 2, QStringLiteral("消费日期："), m_date);
    kit::addRow(grid, 2, 0, QStringLiteral("备注信息："), m_remark, 5);

    auto* packageBox = new QGroupBox(QStringLiteral("会员购买消费私教明细"), this);
    m_packages = new DataGrid(packageBox);
    m_packages->setObjectName(QStringLiteral("packageGrid"));
    m_packages->setAccessibleName(QStringLiteral("会员购买消费私教明细"));
    m_packages->hideColumn(QStringLiteral("编号"));
    m_packages->hideColumn(QStringLiteral("单价"));
    auto* packageLayout = new QVBoxLayout(packageBox);
    packageLayout->addWidget(m_packages);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_member);
    layout->addWidget(group);
    layout->addWidget(packageBox, 1);
    const auto buttons = kit::addDialogButtons(this, layout);
    resize(680, 540);

    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { book(); }));
    connect(m_member, &CoachingMemberBox::pickRequested, this, kit::guard(this, [this] { pickMember(); }));
    connect(m_packages, &DataGrid::currentRowChanged, this, [this](int row) { selectPackage(row); });

    const QWidget* order[] = {m_member->cardEdit(), m_member->pickButton(), m_quantity, m_date, m_remark, m_packages,
                              buttons.ok,           buttons.cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    kit::installEnterMovesFocus(this);
    m_fields.add(coaching::field::card, m_member->pickButton()).add(coaching::field::quantity, m_quantity);
}

void TsjxfForm::reset()
{
    m_quantity->setText(QStringLiteral("1"));
    m_remark->clear();
    m_date->setDate(m_session.now().date());
    m_packageId.reset();
    selectPackage(-1);
}

bool TsjxfForm::prepareForMember(const QString& cardNumber)
{
    const std::optional<coaching::MemberInfo> member =
        CoachingMemberBox::readMember(m_session.velunDMForm(), cardNumber, parentWidget());
    if (!member)
        return false;
    m_opener = CoachingOpener::FrontDesk;
    reset();
    m_member->clear(false);
    m_member->show(*member);
    showPackages(member->cardNumber);
    m_quantity->setFocus();
    return true;
}

void TsjxfForm::prepareToPick()
{
    m_opener = CoachingOpener::Management;
    reset();
    m_member->clear(true);
    showPackages(coaching::kNoMember);
    m_member->pickButton()->setFocus();
}

void TsjxfForm::pickMember()
{
    TxzjsrForm* picker = m_picker();
    picker->prepare(TxzjsrForm::Mode::CoachingLesson);
    if (picker->exec() != QDialog::Accepted)
        return;
    const std::optional<coaching::MemberInfo> member =
        CoachingMemberBox::readMember(m_session.velunDMForm(), picker->pickedCardNumber(), this);
    if (!member)
        return;
    m_member->show(*member, false);
    showPackages(member->cardNumber);
    m_quantity->setFocus();
}

void TsjxfForm::showPackages(const QString& cardNumber, std::optional<qint64> keep)
{
    const ResultSet open = coaching::openPackages(m_session.velunDMForm(), cardNumber);
    m_packages->setResult(open);
    int row = open.isEmpty() ? -1 : 0;
    for (int i = 0; keep && i < open.rowCount(); ++i)
        if (open.value(i, QStringLiteral("编号")).toInt() == *keep)
            row = i;
    m_packages->selectRow(row);
    selectPackage(row);
}

void TsjxfForm::selectPackage(int row)
{
    if (row < 0 || row >= m_packages->result().rowCount()) {
        m_packageId.reset();
        m_coach->clear();
        m_item->clear();
        m_left->setText(QStringLiteral("0"));
        return;
    }
    m_packageId = m_packages->value(row, QStringLiteral("编号")).toInt();
    m_coach->setText(m_packages->value(row, QStringLiteral("私教姓名")).toText());
    m_item->setText(m_packages->value(row, QStringLiteral("项目名称")).toText());
    m_left->setText(QString::number(m_packages->value(row, QStringLiteral("剩余数量")).toInt()));
}

void TsjxfForm::book()
{
    coaching::LessonInput input;
    input.cardNumber = m_member->cardNumber();
    input.packageId = m_packageId;
    input.quantity = m_quantity->text();
    input.day = m_date->date();
    input.remark = m_remark->text();
    const Outcome<> booked = coaching::bookLessons(m_session.command(), input);
    if (booked.refused()) {
        m_fields.showRefusal(this, booked.refusal());
        // What the list showed may have been taken meanwhile: show the packages as they are now.
        if (!input.cardNumber.isEmpty() && input.packageId)
            showPackages(input.cardNumber, input.packageId);
        return;
    }
    accept();
}

} // namespace tkd::gui
