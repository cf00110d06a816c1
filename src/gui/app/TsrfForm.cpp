#include "TsrfForm.h"

#include "app/Config.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TsrfForm::TsrfForm(QString iniFile, const QStringList& engines, QWidget* parent)
    : QDialog(parent), m_iniFile(std::move(iniFile))
{
    setObjectName(QStringLiteral("srfForm"));
    setWindowTitle(QStringLiteral("设置输入法"));
    setModal(true);

    auto* caption = new QLabel(QStringLiteral("请选择输入法："), this);
    m_engines = new QComboBox(this);
    m_engines->setObjectName(QStringLiteral("inputMethodCombo"));
    m_engines->setEditable(false);
    m_engines->addItem(QString());
    m_engines->addItems(engines);
    caption->setBuddy(m_engines);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* note = new QLabel(QStringLiteral("注：软件重启后输入法设置生效！"), this);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_engines, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &TsrfForm::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TsrfForm::save()
{
    Config::writeKey(m_iniFile, QString::fromUtf16(ini::kInput), m_engines->currentText().trimmed());
    accept();
}

} // namespace tkd::gui
