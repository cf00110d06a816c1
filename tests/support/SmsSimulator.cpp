#include "SmsSimulator.h"

#include <QDeadlineTimer>

namespace tkd::test {

SmsSimulator::SmsSimulator(const QStringList& arguments)
{
    m_process.setProgram(QStringLiteral(TKD_SMSSIM_PATH));
    m_process.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        while (m_process.canReadLine()) {
            const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
            if (line.startsWith(QStringLiteral("listening on "))) {
                m_port = static_cast<quint16>(line.mid(13).toUInt());
                return;
            }
        }
    }
}

SmsSimulator::~SmsSimulator()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString SmsSimulator::url() const
{
    return QStringLiteral("http://127.0.0.1:%1/smsgbk.aspx").arg(m_port);
}

QStringList SmsSimulator::takeOutput()
{
    // The simulator prints before it answers, so what belongs to a finished request is already in the pipe.
    m_process.waitForReadyRead(200);
    m_pending += QString::fromUtf8(m_process.readAllStandardOutput());
    QStringList lines = m_pending.split(QLatin1Char('\n'));
    m_pending = lines.takeLast();
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

} // namespace tkd::test
