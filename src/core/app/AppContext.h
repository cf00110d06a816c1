#pragma once

#include "Clock.h"
#include "Config.h"
#include "Session.h"
#include "data/Paths.h"
#include "data/TvelunDMForm.h"
#include "sms/SmsState.h"

#include <memory>

namespace tkd {

// The running program's state: one object, handed to the windows that need parts of it.
class AppContext {
public:
    AppContext(AppPaths paths, std::unique_ptr<Clock> clock);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // What ordinary windows receive.
    Session& session() { return m_session; }
    // A command's context at this moment, without the SMS session.
    CommandContext command() const { return m_session.command(); }

    const AppPaths& paths() const { return m_paths; }
    const Config& config() const { return m_config; }
    const Clock& clock() const { return *m_clock; }
    TvelunDMForm& velunDMForm() { return m_velunDMForm; }

    // Opens (creating when missing) the database beside the program.
    void openDatabase();
    // The folder of the automatic backups, from the INI file or beside the program.
    QString autoBackupDir() const;
    // Closes the connection and takes the exit's backup copy.
    void backupAtExit();

    SmsState& sms() { return m_sms; }
    // The signature of every message from now on, kept in the INI file for the next start.
    void saveSmsSignature(const QString& signature);
    // Reads what the main window holds for the whole run: the SMS session and the desk mode.
    void loadSessionState();
    bool unattended() const { return m_unattended; }
    void setUnattended(bool on) { m_unattended = on; }

    const QString& currentOperator() const { return m_operator; }
    void setCurrentOperator(const QString& name) { m_operator = name; }

private:
    AppPaths m_paths;
    Config m_config;
    std::unique_ptr<Clock> m_clock;
    TvelunDMForm m_velunDMForm;
    QString m_operator;
    SmsState m_sms;
    bool m_unattended = false;
    Session m_session{*this};
};

} // namespace tkd
