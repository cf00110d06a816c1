#include "TmainForm.h"

#include "TLoginForm.h"
#include "TsrfForm.h"
#include "app/AppContext.h"
#include "kit/Messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace tkd::gui {

TmainForm::TmainForm(AppContext& context, QWidget* parent) : QMainWindow(parent), m_context(context)
{
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("澄岚跆拳道馆管理系统"));
    resize(952, 575);

    auto* inputMethod = new QAction(QStringLiteral("设置输入法"), this);
    inputMethod->setObjectName(QStringLiteral("inputMethodAction"));
    auto* exit = new QAction(QStringLiteral("退出系统"), this);
    exit->setObjectName(QStringLiteral("exitAction"));
    QMenu* system = menuBar()->addMenu(QStringLiteral("系统管理"));
    system->addAction(inputMethod);
    system->addSeparator();
    system->addAction(exit);

    QToolBar* tools = addToolBar(QStringLiteral("工具栏"));
    tools->setObjectName(QStringLiteral("mainToolBar"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tools->addAction(exit);

    connect(inputMethod, &QAction::triggered, this, [this] {
        if (m_inputMethodForm)
            m_inputMethodForm->exec();
    });
    connect(exit, &QAction::triggered, this, [this] { requestExit(); });

    m_fixedPanel = new QLabel(QStringLiteral(" 澄岚跆拳道馆管理系统"), this);
    m_fixedPanel->setMinimumWidth(400);
    m_operatorPanel = new QLabel(this);
    m_operatorPanel->setObjectName(QStringLiteral("operatorPanel"));
    m_operatorPanel->setMinimumWidth(160);
    m_hallPanel = new QLabel(this);
    m_hallPanel->setObjectName(QStringLiteral("hallPanel"));
    m_hallPanel->setMinimumWidth(300);
    statusBar()->addWidget(m_fixedPanel);
    statusBar()->addWidget(m_operatorPanel);
    statusBar()->addWidget(m_hallPanel, 1);
}

void TmainForm::showAfterLogin(const QString& hallName)
{
    m_hallName = hallName;
    setWindowTitle(QStringLiteral("澄岚跆拳道馆管理系统5.6版     用户名称：") + hallName);
    m_hallPanel->setText(QStringLiteral(" 本软件使用单位：") + hallName);
    m_operatorPanel->setText(QStringLiteral(" 操作人员：") + m_context.currentOperator());
    showMaximized();
}

bool TmainForm::confirmAndBackup()
{
    if (!Messages::confirm(this, QStringLiteral("您确定退出本系统吗？")))
        return false;
    m_exiting = true;
    m_context.backupAtExit();
    return true;
}

bool TmainForm::requestExit()
{
    if (!confirmAndBackup())
        return false;
    hide();
    if (m_login)
        m_login->closeForExit();
    return true;
}

void TmainForm::closeEvent(QCloseEvent* event)
{
    if (m_exiting) {
        event->accept();
        return;
    }
    if (!confirmAndBackup()) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_login)
        m_login->closeForExit();
}

} // namespace tkd::gui
