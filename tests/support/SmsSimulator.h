#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tkd::test {

// The project's gateway simulator, started on a free loopback port for one test.
class SmsSimulator {
public:
    // Extra arguments such as "--slow", "2000" or "--garbage"; the default account is demo/demo with 100 credits.
    explicit SmsSimulator(const QStringList& arguments = {});
    ~SmsSimulator();
    SmsSimulator(const SmsSimulator&) = delete;
    SmsSimulator& operator=(const SmsSimulator&) = delete;

    bool started() const { return m_port != 0; }
    QString url() const;
    // Lines the simulator printed since the last call ("sent to ...: ...", "balance of ...").
    QStringList takeOutput();

private:
    QProcess m_process;
    quint16 m_port = 0;
    QString m_pending;
};

} // namespace tkd::test
