#include "SimulatedGateway.h"

#include "sms/GbkCodec.h"

#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#include <zlib.h>

namespace {

const QByteArray kPath = QByteArrayLiteral("/smsgbk.aspx");

QByteArray gzip(const QByteArray& data)
{
    z_stream stream{};
    // 16 + 15 window bits: a gzip wrapper rather than zlib's own.
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return data;
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

QString formDecode(QByteArray value)
{
    value.replace('+', ' ');
    return tkd::gbk::decode(QByteArray::fromPercentEncoding(value));
}

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

} // namespace

bool SimulatedGateway::setRecordFile(const QString& path)
{
    m_record = std::make_unique<QFile>(path);
    return m_record->open(QIODevice::WriteOnly | QIODevice::Append);
}

bool SimulatedGateway::listen(quint16 port)
{
    connect(&m_server, &QTcpServer::newConnection, this, &SimulatedGateway::accept);
    return m_server.listen(QHostAddress::LocalHost, port);
}

void SimulatedGateway::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
    }
}

void SimulatedGateway::serve(QTcpSocket* socket)
{
    if (socket->property("answered").toBool())
        return;
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QByteArray head = buffer.left(headerEnd);
    qsizetype length = 0;
    bool acceptsGzip = false;
    const QList<QByteArray> headLines = head.split('\n');
    for (const QByteArray& raw : headLines) {
        const QByteArray line = raw.trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length")
            length = value.toLongLong();
        else if (name == "accept-encoding")
            acceptsGzip = value.contains("gzip");
    }
    if (buffer.size() < headerEnd + 4 + length)
        return;
    socket->setProperty("answered", true);
    const QByteArray request = buffer.left(headerEnd + 4 + length);
    if (m_record) {
        m_record->write(request);
        m_record->write("\n----\n");
        m_record->flush();
    }

    const QList<QByteArray> requestLine = headLines.value(0).trimmed().split(' ');
    const QByteArray target = requestLine.value(1);
    QByteArray status = QByteArrayLiteral("200 OK");
    QByteArray body;
    if (requestLine.value(0) != "POST" || QUrl(QString::fromLatin1(target)).path().toLatin1() != kPath) {
        status = QByteArrayLiteral("404 Not Found");
        body = QByteArrayLiteral("not found");
    } else if (m_fault == Fault::HttpError) {
        status = QByteArrayLiteral("500 Internal Server Error");
        body = QByteArrayLiteral("<html><body>Server Error</body></html>");
    } else if (m_fault == Fault::Garbage) {
        body = QByteArrayLiteral("Service temporarily unavailable <<<");
    } else {
        body = answer(request.mid(headerEnd + 4));
    }

    QByteArray reply = QByteArrayLiteral("HTTP/1.0 ") + status + QByteArrayLiteral("\r\n");
    reply += QByteArrayLiteral("Content-Type: text/xml; charset=gb2312\r\n");
    if (m_gzip && acceptsGzip && status.startsWith("200")) {
        body = gzip(body);
        reply += QByteArrayLiteral("Content-Encoding: gzip\r\n");
    }
    reply += QByteArrayLiteral("Content-Length: ") + QByteArray::number(body.size()) + QByteArrayLiteral("\r\n");
    reply += QByteArrayLiteral("Connection: close\r\n\r\n") + body;
    QTimer::singleShot(m_delayMs, socket, [socket, reply] {
        socket->write(reply);
        socket->disconnectFromHost();
    });
}

QByteArray SimulatedGateway::answer(const QByteArray& body)
{
    QHash<QString, QString> form;
    const QList<QByteArray> pairs = body.trimmed().split('&');
    for (const QByteArray& pair : pairs) {
        if (pair.isEmpty())
            continue;
        const qsizetype eq = pair.indexOf('=');
        const QByteArray key = eq < 0 ? pair : pair.left(eq);
        form.insert(QString::fromLatin1(key), eq < 0 ? QString() : formDecode(pair.mid(eq + 1)));
    }
    const QString action = form.value(QStringLiteral("action"));
    const QString name = form.value(QStringLiteral("account"));
    auto account = m_accounts.find(name);
    if (action != QStringLiteral("overage") && action != QStringLiteral("send"))
        return xmlReply(QStringLiteral("未知的操作"), 0, 0);
    if (account == m_accounts.end() || account->password != form.value(QStringLiteral("password"))) {
        out() << "refused " << action << " for account " << name << Qt::endl;
        return xmlReply(QStringLiteral("用户名或密码不正确"), 0, 0);
    }
    if (action == QStringLiteral("overage")) {
        out() << "balance of " << name << ": " << account->credit << Qt::endl;
        return xmlReply(QStringLiteral("操作成功"), account->credit, 0);
    }

    const QString content = form.value(QStringLiteral("content"));
    QStringList mobiles = form.value(QStringLiteral("mobile")).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    if (mobiles.isEmpty())
        return xmlReply(QStringLiteral("手机号码不能为空"), account->credit, 0);
    for (const QString& mobile : mobiles) {
        if (mobile.size() != 11 || !std::all_of(mobile.begin(), mobile.end(), [](QChar c) { return c.isDigit(); }))
            return xmlReply(QStringLiteral("手机号码格式不正确：") + mobile, account->credit, 0);
    }
    if (content.trimmed().isEmpty())
        return xmlReply(QStringLiteral("短信内容不能为空"), account->credit, 0);
    if (!content.trimmed().endsWith(QStringLiteral("】")) || !content.contains(QStringLiteral("【")))
        return xmlReply(QStringLiteral("短信内容缺少签名"), account->credit, 0);
    if (account->credit < mobiles.size())
        return xmlReply(QStringLiteral("短信余额不足"), account->credit, 0);
    account->credit -= mobiles.size();
    QString shown = content;
    shown.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    out() << "sent to " << mobiles.join(QLatin1Char(',')) << ": " << shown << Qt::endl;
    return xmlReply(QStringLiteral("操作成功"), account->credit, mobiles.size());
}

QByteArray SimulatedGateway::xmlReply(const QString& message, qint64 overage, qint64 sent) const
{
    const bool ok = message == QStringLiteral("操作成功");
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\" ?>\r\n<returnsms>\r\n");
    xml += QStringLiteral(" <returnstatus>%1</returnstatus>\r\n").arg(ok ? u"Success" : u"Faild");
    if (m_fault != Fault::NoMessage)
        xml += QStringLiteral(" <message>%1</message>\r\n").arg(message.toHtmlEscaped());
    xml += QStringLiteral(" <overage>%1</overage>\r\n <sendTotal>%2</sendTotal>\r\n").arg(overage).arg(sent);
    if (m_fault == Fault::Huge)
        xml += QStringLiteral(" <remark>%1</remark>\r\n").arg(QString(70 * 1024, QLatin1Char('x')));
    xml += QStringLiteral("</returnsms>\r\n");
    if (m_fault == Fault::Bom) {
        // As some page servers write it: UTF-8 with its mark, the page's blank lines before the XML.
        xml.replace(QStringLiteral("gb2312"), QStringLiteral("utf-8"));
        return QByteArrayLiteral("\xEF\xBB\xBF\r\n\r\n") + xml.toUtf8();
    }
    return tkd::gbk::encode(xml);
}
