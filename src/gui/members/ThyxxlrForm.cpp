#include "ThyxxlrForm.h"

#include "TphotoForm.h"
#include "app/Clock.h"
#include "app/Session.h"
#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/GatewayCalls.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/Photo.h"
#include "lockers/TxzygForm.h"
#include "members/MemberEntry.h"
#include "members/TxzjsrForm.h"
#include "sms/AutoSms.h"
#include "staff/Staff.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QLineEdit* edit(QWidget* parent, const char* name, bool freeText = true)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (freeText)
        InputMethodFields::markFreeText(e);
    return e;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, bool editable)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(editable);
    c->addItems(items);
    return c;
}

QToolButton* chooserButton(QWidget* parent, const char* name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QStringLiteral("…"));
    return b;
}

// Picks the entry equal to the stored text, none when it is not in the list.
void selectText(QComboBox* box, const QString& text)
{
    const int index = text.isEmpty() ? -1 : box->findText(text);
    if (box->isEditable() && index < 0)
        box->setEditText(text);
    else
        box->setCurrentIndex(index);
}

QString chosenText(const QComboBox* box)
{
    return box->isEditable() ? box->currentText() : (box->currentIndex() < 0 ? QString() : box->currentText());
}

} // namespace

ThyxxlrForm::ThyxxlrForm(Session& session, SmsState& sms, TxzygForm* lockerChooser, TxzjsrForm* introducerChooser,
                         QWidget* parent)
    : QDialog(parent), m_context(session), m_sms(sms), m_call(kit::nonFreezingGatewayCall(this)),
      m_lockerChooser(lockerChooser), m_introducerChooser(introducerChooser)
{
    setObjectName(QStringLiteral("hyxxlrForm"));
    setWindowTitle(QStringLiteral("会员信息录入"));
    auto* main = new QGroupBox(QStringLiteral("会员信息"), this);
    m_card = edit(main, "cardNumberEdit", false);
    m_name = edit(main, "nameEdit");
    m_type = combo(main, "typeCombo", {}, false);
    m_mobile = edit(main, "mobileEdit", false);
    m_phone = edit(main, "phoneEdit", false);
    m_joined = new QDateEdit(main);
    m_joined->setObjectName(QStringLiteral("joinedDateEdit"));
    m_joined->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_joined->setCalendarPopup(true);
    m_visits = edit(main, "visitsEdit", false);
    m_days = edit(main, "daysEdit", false);
    m_price = edit(main, "priceEdit", false);
    m_password = kit::passwordEdit("passwordEdit", main);
    m_confirm = kit::passwordEdit("confirmPasswordEdit", main);
    m_month = edit(main, "birthMonthEdit", false);
    m_day = edit(main, "birthDayEdit", false);
    m_points = edit(main, "pointsEdit", false);
    for (QLineEdit* digits : {m_visits, m_days, m_month, m_day, m_points})
        kit::digitsOnly(digits);
    kit::moneyOnly(m_price);
    for (QLineEdit* shortBox : {m_month, m_day})
        shortBox->setMaximumWidth(40);
    m_payMethod = combo(main, "payMethodCombo", {QStringLiteral("现金"), QStringLiteral("银行卡")}, true);
    m_source = edit(main, "sourceEdit");
    m_idKind = combo(
        main, "idKindCombo",
        {QStringLiteral("身份证"), QStringLiteral("学生证"), QStringLiteral("驾驶证"), QStringLiteral("其它")}, true);
    m_idNumber = edit(main, "idNumberEdit", false);
    auto* grid = new QGridLayout(main);
    kit::addRow(grid, 0, 0, QStringLiteral("会员卡号："), m_card);
    kit::addRow(grid, 0, 2, QStringLiteral("会员姓名："), m_name);
    kit::addRow(grid, 1, 0, QStringLiteral("会员类型："), m_type);
    kit::addRow(grid, 1, 2, QStringLiteral("移动电话："), m_mobile);
    kit::addRow(grid, 2, 0, QStringLiteral("固定电话："), m_phone);
    kit::addRow(grid, 2, 2, QStringLiteral("加入时间："), m_joined);
    kit::addRow(grid, 3, 0, QStringLiteral("有效次数："), m_visits);
    kit::addRow(grid, 3, 2, QStringLiteral("有效天数："), m_days);
    kit::addRow(grid, 4, 0, QStringLiteral("售    价："), m_price);
    kit::addRow(grid, 4, 2, QStringLiteral("卡内密码："), m_password);
    kit::addRow(grid, 5, 0, QStringLiteral("确定密码："), m_confirm);
    auto* birthday = new QHBoxLayout;
    birthday->addWidget(m_month);
    birthday->addWidget(new QLabel(QStringLiteral("月"), main));
    birthday->addWidget(m_day);
    birthday->addWidget(new QLabel(QStringLiteral("日"), main));
    birthday->addStretch();
    grid->addWidget(kit::captionFor(m_month, QStringLiteral("会员生日："), main), 5, 2, Qt::AlignRight);
    m_day->setAccessibleName(QStringLiteral("会员生日 日"));
    grid->addLayout(birthday, 5, 3);
    kit::addRow(grid, 6, 0, QStringLiteral("会员积分："), m_points);
    kit::addRow(grid, 6, 2, QStringLiteral("结帐方式："), m_payMethod);
    kit::addRow(grid, 7, 0, QStringLiteral("信息来源："), m_source);
    kit::addRow(grid, 7, 2, QStringLiteral("证件名称："), m_idKind);
    kit::addRow(grid, 8, 0, QStringLiteral("证件号码："), m_idNumber);

    auto* other = new QGroupBox(QStringLiteral("其它信息"), this);
    m_sex = combo(other, "sexCombo", {QStringLiteral("男"), QStringLiteral("女")}, false);
    m_coach = combo(other, "coachCombo", {}, false);
    m_locker = edit(other, "lockerEdit", false);
    m_locker->setReadOnly(true);
    m_locker->setPlaceholderText(QStringLiteral("请点击后面按钮进行查询选择"));
    m_lockerButton = chooserButton(other, "lockerChooserButton");
    m_consultant = combo(other, "consultantCombo", {}, false);
    m_grade = combo(other, "gradeCombo", {}, false);
    m_lessons = edit(other, "lessonsDoneEdit", false);
    kit::digitsOnly(m_lessons);
    m_needs = edit(other, "needsEdit");
    m_introducer = edit(other, "introducerEdit", false);
    m_introducer->setReadOnly(true);
    m_introducer->setPlaceholderText(QStringLiteral("请点击后面按钮进行查询选择"));
    m_introducerButton = chooserButton(other, "introducerChooserButton");
    m_remark = new QPlainTextEdit(other);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    m_remark->setMaximumHeight(60);
    InputMethodFields::markFreeText(m_remark);
    auto* otherGrid = new QGridLayout(other);
    kit::addRow(otherGrid, 0, 0, QStringLiteral("会员性别："), m_sex);
    kit::addRow(otherGrid, 1, 0, QStringLiteral("教练姓名："), m_coach);
    auto* lockerRow = new QHBoxLayout;
    lockerRow->addWidget(m_locker, 1);
    lockerRow->addWidget(m_lockerButton);
    otherGrid->addWidget(kit::captionFor(m_locker, QStringLiteral("衣柜编号："), other), 2, 0, Qt::AlignRight);
    otherGrid->addLayout(lockerRow, 2, 1);
    kit::addRow(otherGrid, 3, 0, QStringLiteral("会籍顾问："), m_consultant);
    kit::addRow(otherGrid, 4, 0, QStringLiteral("会员级别："), m_grade);
    kit::addRow(otherGrid, 5, 0, QStringLiteral("完成课时："), m_lessons);
    kit::addRow(otherGrid, 6, 0, QStringLiteral("健身需求："), m_needs);
    auto* introducerRow = new QHBoxLayout;
    introducerRow->addWidget(m_introducer, 1);
    introducerRow->addWidget(m_introducerButton);
    otherGrid->addWidget(kit::captionFor(m_introducer, QStringLiteral("介 绍 人："), other), 7, 0, Qt::AlignRight);
    otherGrid->addLayout(introducerRow, 7, 1);
    kit::addRow(otherGrid, 8, 0, QStringLiteral("备注信息："), m_remark);

    auto* photoGroup = new QGroupBox(QStringLiteral("会员照片"), this);
    m_photo = new QLabel(photoGroup);
    m_photo->setObjectName(QStringLiteral("photoBox"));
    m_photo->setAccessibleName(QStringLiteral("会员照片"));
    m_photo->setFixedSize(150, 180);
    m_photo->setScaledContents(true);
    m_photo->setFrameShape(QFrame::Box);
    m_photo->setContextMenuPolicy(Qt::CustomContextMenu);
    m_photo->installEventFilter(this);
    auto* photoLayout = new QVBoxLayout(photoGroup);
    photoLayout->addWidget(m_photo);
    photoLayout->addWidget(new QLabel(QStringLiteral("双击添加照片或"), photoGroup));
    photoLayout->addWidget(new QLabel(QStringLiteral("右击进行其它操作"), photoGroup));
    otherGrid->addWidget(photoGroup, 0, 2, 9, 1);

    m_openOnSave = new QCheckBox(QStringLiteral("保存后按加入时间开卡"), this);
    m_openOnSave->setObjectName(QStringLiteral("openOnSaveCheck"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_openOnSave);
    bottom->addStretch();
    QPushButton* saveButton = kit::pushButton(this, QStringLiteral("保存"), "saveButton", bottom);
    QPushButton* quit = kit::pushButton(this, QStringLiteral("退出"), "exitButton", bottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(main);
    layout->addWidget(other);
    layout->addLayout(bottom);

    connect(m_type, &QComboBox::currentIndexChanged, this, &ThyxxlrForm::typeChosen);
    connect(m_joined, &QDateEdit::userDateChanged, this, [this] { m_joinedKnown = true; });
    connect(m_lockerButton, &QToolButton::clicked, this, kit::guard(this, [this] { chooseLocker(); }));
    connect(m_introducerButton, &QToolButton::clicked, this, kit::guard(this, [this] { chooseIntroducer(); }));
    connect(m_photo, &QLabel::customContextMenuRequested, this, &ThyxxlrForm::photoMenu);
    connect(saveButton, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
    m_fields.add(members::field::cardNumber, m_card)
        .add(members::field::name, m_name)
        .add(members::field::type, m_type)
        .add(members::field::password, m_password)
        .add(members::field::birthMonth, m_month)
        .add(members::field::birthDay, m_day)
        .add(members::field::locker, m_lockerButton);
}

void ThyxxlrForm::fillLists()
{
    TvelunDMForm& dm = m_context.velunDMForm();
    m_type->blockSignals(true);
    m_type->clear();
    m_type->addItems(cardtypes::names(dm));
    m_type->blockSignals(false);
    m_coach->clear();
    m_coach->addItems(staff::coachNames(dm));
    m_consultant->clear();
    m_consultant->addItems(staff::consultantNames(dm));
    m_grade->clear();
    m_grade->addItems(members::gradeNames(dm));
    for (QComboBox* none : {m_coach, m_consultant, m_grade})
        none->setCurrentIndex(-1);
}

void ThyxxlrForm::typeChosen(int index)
{
    if (m_editing || index < 0)
        return;
    const auto type = cardtypes::find(m_context.velunDMForm(), m_type->itemText(index));
    if (!type)
        return;
    m_visits->setText(QString::number(type->visits));
    m_days->setText(QString::number(type->days));
    m_price->setText(type->price.toString());
}

void ThyxxlrForm::setAddMode(bool adding)
{
    m_editing = !adding;
    for (QWidget* w : std::initializer_list<QWidget*>{m_card, m_visits, m_days, m_price, m_type, m_payMethod, m_points,
                                                      m_locker, m_introducer})
        w->setEnabled(adding);
    m_lockerButton->setVisible(adding);
    m_introducerButton->setVisible(adding);
    m_openOnSave->setVisible(adding);
}

void ThyxxlrForm::prepareAdd(Opener opener)
{
    m_opener = opener;
    setAddMode(true);
    fillLists();
    for (QLineEdit* e : {m_card, m_name, m_mobile, m_phone, m_price, m_password, m_confirm, m_source, m_idNumber,
                         m_locker, m_needs, m_introducer})
        e->clear();
    for (QLineEdit* zero : {m_visits, m_days, m_month, m_day, m_lessons, m_points})
        zero->setText(QStringLiteral("0"));
    m_remark->clear();
    m_sex->setCurrentIndex(0);
    m_payMethod->setCurrentIndex(0);
    m_idKind->setCurrentIndex(0);
    m_joined->setDate(m_context.clock().now().date());
    m_joinedKnown = true;
    m_introducerCard.clear();
    setPhotoPath({});
    if (m_type->count() > 0) {
        m_type->setCurrentIndex(0);
        typeChosen(0);
    }
    m_card->setFocus();
}

bool ThyxxlrForm::prepareEdit(Opener opener, const QString& cardNumber)
{
    const auto entry = members::loadEntry(m_context.velunDMForm(), cardNumber);
    if (!entry)
        return false;
    m_opener = opener;
    setAddMode(false);
    fillLists();
    fill(*entry);
    m_name->setFocus();
    return true;
}

void ThyxxlrForm::fill(const members::MemberEntry& entry)
{
    const members::MemberInput& in = entry.input;
    m_card->setText(in.cardNumber);
    m_name->setText(in.name);
    selectText(m_type, in.type);
    m_mobile->setText(in.mobile);
    m_phone->setText(in.phone);
    // A member without a joining date keeps none unless the operator sets one.
    m_joined->setDate(in.joined.isValid() ? in.joined : m_context.clock().now().date());
    m_joinedKnown = in.joined.isValid();
    m_visits->setText(in.visits);
    m_days->setText(in.days);
    m_price->setText(in.price.toString());
    m_password->setText(in.password);
    m_confirm->setText(in.confirmPassword);
    m_month->setText(in.birthMonth);
    m_day->setText(in.birthDay);
    m_points->setText(entry.points);
    selectText(m_payMethod, in.payMethod);
    m_source->setText(in.source);
    selectText(m_idKind, in.idKind);
    m_idNumber->setText(in.idNumber);
    selectText(m_sex, in.sex);
    selectText(m_coach, in.coach);
    m_locker->setText(in.locker);
    selectText(m_consultant, in.consultant);
    selectText(m_grade, in.grade);
    m_lessons->setText(in.lessonsDone);
    m_needs->setText(in.needs);
    m_introducer->setText(in.introducer);
    m_introducerCard = in.introducerCard;
    m_remark->setPlainText(in.remark);
    setPhotoPath(in.photo);
}

void ThyxxlrForm::setPhotoPath(const QString& path)
{
    m_photoPath = path;
    const QImage image = kit::loadPhoto(path);
    if (image.isNull())
        m_photo->clear();
    else
        m_photo->setPixmap(QPixmap::fromImage(image));
}

members::MemberInput ThyxxlrForm::read() const
{
    members::MemberInput in;
    in.cardNumber = m_card->text();
    in.name = m_name->text();
    in.type = chosenText(m_type);
    in.mobile = m_mobile->text();
    in.phone = m_phone->text();
    in.joined = m_joinedKnown ? m_joined->date() : QDate();
    in.visits = m_visits->text();
    in.days = m_days->text();
    Money::parse(m_price->text().trimmed().isEmpty() ? QStringLiteral("0") : m_price->text().trimmed(), &in.price);
    in.password = m_password->text();
    in.confirmPassword = m_confirm->text();
    in.birthMonth = m_month->text();
    in.birthDay = m_day->text();
    in.payMethod = m_payMethod->currentText();
    in.source = m_source->text();
    in.idKind = m_idKind->currentText();
    in.idNumber = m_idNumber->text();
    in.sex = chosenText(m_sex);
    in.coach = chosenText(m_coach);
    in.locker = m_locker->text();
    in.consultant = chosenText(m_consultant);
    in.grade = chosenText(m_grade);
    in.lessonsDone = m_lessons->text();
    in.needs = m_needs->text();
    in.introducer = m_introducer->text();
    in.introducerCard = m_introducerCard;
    in.remark = m_remark->toPlainText();
    in.photo = m_photoPath;
    in.openOnSave = m_openOnSave->isChecked();
    return in;
}

void ThyxxlrForm::save()
{
    const members::MemberInput input = read();
    Money price;
    if (!m_price->text().trimmed().isEmpty() && !Money::parse(m_price->text().trimmed(), &price)) {
        Messages::error(this, QStringLiteral("售价必须是金额！"));
        m_price->setFocus();
        return;
    }
    const CommandContext context = m_context.command().withSms(m_sms);
    if (m_editing) {
        if (const Outcome<> edited = members::editMember(context, input); edited.refused()) {
            m_fields.showRefusal(this, edited.refusal());
            return;
        }
        m_saved = input;
        accept();
        return;
    }
    const Outcome<members::Registration> registered = members::registerMember(context, input);
    if (registered.refused()) {
        m_fields.showRefusal(this, registered.refusal());
        return;
    }
    m_saved = input;
    if (registered->paymentWritten)
        Messages::smsResult(this, sms::sendAfterCommand(context, sms::AutoSwitch::Payment, registered->mobile,
                                                        registered->smsText, m_call));
    accept();
}

void ThyxxlrForm::chooseLocker()
{
    m_lockerChooser->prepare(TxzygForm::Mode::Registration, m_card->text().trimmed(), m_name->text().trimmed(),
                             chosenText(m_type));
    if (m_lockerChooser->exec() == QDialog::Accepted)
        m_locker->setText(m_lockerChooser->chosenLocker());
}

void ThyxxlrForm::chooseIntroducer()
{
    m_introducerChooser->prepare(TxzjsrForm::Mode::Introducer);
    if (m_introducerChooser->exec() != QDialog::Accepted)
        return;
    m_introducer->setText(m_introducerChooser->pickedName());
    m_introducerCard = m_introducerChooser->pickedCardNumber();
}

void ThyxxlrForm::choosePhoto()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("选择照片"), folder,
                                                      QStringLiteral("图片 (*.jpg *.jpeg *.bmp *.png *.gif)"));
    if (!file.isEmpty())
        setPhotoPath(file);
}

void ThyxxlrForm::photoMenu(const QPoint& at)
{
    QMenu menu(this);
    QAction* choose = menu.addAction(QStringLiteral("选择照片"));
    QAction* enlarge = menu.addAction(QStringLiteral("放大照片"));
    QAction* clearIt = menu.addAction(QStringLiteral("清除照片"));
    QAction* picked = menu.exec(m_photo->mapToGlobal(at));
    if (picked == choose)
        choosePhoto();
    else if (picked == enlarge)
        TphotoForm::enlarge(this, m_photoPath);
    else if (picked == clearIt)
        setPhotoPath({});
}

bool ThyxxlrForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_photo && event->type() == QEvent::MouseButtonDblClick) {
        if (m_photoPath.isEmpty())
            choosePhoto();
        else
            TphotoForm::enlarge(this, m_photoPath);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tkd::gui
