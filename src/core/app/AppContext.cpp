#include "AppContext.h"

#include "AutoBackup.h"

#include <QDir>

namespace tkd {

AppContext::AppContext(AppPaths paths, std::unique_ptr<Clock> clock)
    : m_paths(std::move(paths)), m_config(Config::load(m_paths.iniFile())), m_clock(std::move(clock))
{
}

void AppContext::openDatabase()
{
    m_velunDMForm.connect(m_paths.databaseFile(), QString::fromUtf16(kDatabaseKey));
}

void AppContext::loadSessionState()
{
    m_sms = SmsState::initial(m_config, m_velunDMForm);
    m_unattended = m_velunDMForm.open(QStringLiteral("ADODS_qtsz")).first(QStringLiteral("无人值守")).toBool();
}

QString AppContext::autoBackupDir() const
{
    if (m_config.backupDir.trimmed().isEmpty())
        return m_paths.defaultAutoBackupDir();
    return QDir(m_paths.programDir).absoluteFilePath(m_config.backupDir.trimmed());
}

void AppContext::backupAtExit()
{
    m_velunDMForm.disconnect();
    AutoBackup::run(m_paths.databaseFile(), autoBackupDir(), m_clock->today());
}

void AppContext::saveSmsSignature(const QString& signature)
{
    Config::writeKey(m_paths.iniFile(), QString::fromUtf16(ini::kSign), signature);
    m_config.smsSignature = signature;
    m_sms.signature = signature;
}

} // namespace tkd
