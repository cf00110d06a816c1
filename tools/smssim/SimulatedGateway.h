#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QObject>
#include <QTcpServer>

#include <memory>

// A stand-in for the SMS provider's gateway page: form-encoded GBK requests in, GB2312 XML out.
class SimulatedGateway : public QObject {
    Q_OBJECT
public:
    struct Account {
        QString password;
        qint64 credit = 0;
    };
    // Bom: a UTF-8 byte-order mark and blank lines before the XML declaration; Huge: a reply past 64 KiB.
    enum class Fault { None, HttpError, Garbage, NoMessage, Bom, Huge };

    void addAccount(const QString& name, const Account& account) { m_accounts.insert(name, account); }
    void setFault(Fault fault) { m_fault = fault; }
    void setDelayMs(int ms) { m_delayMs = ms; }
    void setGzip(bool gzip) { m_gzip = gzip; }
    bool setRecordFile(const QString& path);
    bool listen(quint16 port);
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept();
    void serve(class QTcpSocket* socket);
    QByteArray answer(const QByteArray& body);
    QByteArray xmlReply(const QString& message, qint64 overage, qint64 sent) const;

    QTcpServer m_server;
    QHash<QString, Account> m_accounts;
    Fault m_fault = Fault::None;
    int m_delayMs = 0;
    bool m_gzip = true;
    std::unique_ptr<QFile> m_record;
};
