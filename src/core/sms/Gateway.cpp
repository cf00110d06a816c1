#include "Gateway.h"

#include "GbkCodec.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <curl/curl.h>

#include <mutex>

namespace tkd::sms {
namespace {

const char* const kUserAgent =
    "User-Agent: Mozilla/5.0 (Windows; U; Windows NT 5.1; zh-CN; rv:1.9.0.1) Gecko/2008070208 Firefox/3.0.1";

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Received {
    QByteArray body;
    bool tooLong = false;
};

size_t collect(char* data, size_t size, size_t count, void* target)
{
    auto* received = static_cast<Received*>(target);
    const auto bytes = static_cast<qsizetype>(size * count);
    if (received->body.size() + bytes > maxReplyBytes) {
        // Stops the transfer: nothing that long is an answer worth reading.
        received->tooLong = true;
        return 0;
    }
    received->body.append(data, bytes);
    return size * count;
}

GatewayReply transportFailure(const QString& why)
{
    GatewayReply reply;
    reply.error = QStringLiteral("无法连接短信平台（%1），短信没有发送！").arg(why);
    return reply;
}

// The request reached the gateway and its answer is missing or unreadable. For a send nobody can tell
// whether the message went out, so the operator is told not to send it again.
GatewayReply unknownOutcome(bool isSend, const QString& why, GatewayReply reply = {})
{
    reply.wellFormed = false;
    reply.message.clear();
    reply.outcomeUnknown = isSend;
    reply.error =
        isSend ? QStringLiteral("短信发送结果未知（%1）。短信可能已经发出，请勿重复发送，可稍后查询余额确认！").arg(why)
               : QStringLiteral("短信平台没有正常应答（%1），操作没有完成，请稍后再试！").arg(why);
    return reply;
}

// A reply as servers really send it: a byte-order mark, blank lines ahead of the XML declaration.
void feed(QXmlStreamReader& xml, const QByteArray& body)
{
    if (body.startsWith("\xEF\xBB\xBF")) {
        xml.addData(QString::fromUtf8(body.mid(3)).trimmed());
        return;
    }
    if (body.startsWith("\xFF\xFE") || body.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(body.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        xml.addData(QString(utf16.decode(body.mid(2))).trimmed());
        return;
    }
    const QByteArray bytes = body.trimmed();
    // A Chinese gateway answers in GB2312 more often than not; the XML reader may lack that codec.
    static const QRegularExpression declaredEncoding(QStringLiteral(R"(^<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'])"),
                                                     QRegularExpression::CaseInsensitiveOption);
    const auto found = declaredEncoding.match(QString::fromLatin1(bytes.left(200)));
    const QString encoding = found.hasMatch() ? found.captured(1).toLower() : QString();
    if (encoding.startsWith(QStringLiteral("gb")))
        xml.addData(gbk::decode(bytes));
    else
        xml.addData(bytes);
}

} // namespace

QByteArray formValue(const QString& value)
{
    // Unreserved characters stay; everything else, including every GBK byte, is escaped.
    return gbk::encode(value).toPercentEncoding(QByteArray(), QByteArrayLiteral("~"));
}

QByteArray balanceLine(const QString& account, const QString& password)
{
    return QByteArrayLiteral("action=overage&userid=\"\"&account=") + formValue(account) +
           QByteArrayLiteral("&password=") + formValue(password) + QByteArrayLiteral("&");
}

QByteArray sendLine(const QString& account, const QString& password, const QString& recipients, const QString& content)
{
    return QByteArrayLiteral("action=send&userid=\"\"&account=") + formValue(account) +
           QByteArrayLiteral("&password=") + formValue(password) + QByteArrayLiteral("&mobile=") +
           formValue(recipients) + QByteArrayLiteral("&content=") + formValue(content) + QByteArrayLiteral("&");
}

QString GatewayReply::failureText() const
{
    if (!transportOk)
        return error;
    if (!wellFormed)
        return error;
    return message + QStringLiteral("！");
}

GatewayReply parseReply(const QByteArray& body)
{
    GatewayReply reply;
    reply.transportOk = true;
    if (body.size() > maxReplyBytes) {
        reply.error = QStringLiteral("短信平台的应答过长，短信操作没有完成！");
        return reply;
    }
    QXmlStreamReader xml;
    feed(xml, body);
    bool sawMessage = false;
    int depth = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 2 && (xml.name() == u"message" || xml.name() == u"overage")) {
                const bool isMessage = xml.name() == u"message";
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                --depth;
                if (isMessage) {
                    reply.message = text;
                    sawMessage = true;
                } else {
                    reply.overage = text;
                }
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (xml.hasError()) {
        reply.error = QStringLiteral("短信平台的应答无法识别，短信操作没有完成！");
        reply.message.clear();
        return reply;
    }
    if (!sawMessage) {
        reply.error = QStringLiteral("短信平台的应答中没有结果信息，短信操作没有完成！");
        return reply;
    }
    reply.wellFormed = true;
    return reply;
}

GatewayReply post(const QString& url, const QByteArray& line, std::chrono::milliseconds timeout)
{
    initialiseCurlOnce();
    CURL* curl = curl_easy_init();
    if (!curl)
        return transportFailure(QStringLiteral("网络组件无法启动"));

    // The line is already GBK: its values were escaped from their GBK bytes.
    const QByteArray body = line + QByteArrayLiteral("\r\n");
    const QByteArray address = url.toUtf8();
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    headers = curl_slist_append(headers, kUserAgent);
    headers = curl_slist_append(headers, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    headers = curl_slist_append(headers, "Accept-Charset: gb2312,utf-8;q=0.7,*;q=0.7");
    headers = curl_slist_append(headers, "Connection: Connection=keep-alive");
    headers = curl_slist_append(headers, "Expect:");

    Received received;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    // Sends "Accept-Encoding: gzip" and inflates a gzip reply.
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "gzip");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "127.0.0.1,localhost");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);

    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    // Zero while nothing of the request has gone out (no connection, or a time-out while connecting).
    long requestBytes = 0;
    curl_easy_getinfo(curl, CURLINFO_REQUEST_SIZE, &requestBytes);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);

    const bool isSend = line.startsWith("action=send&");
    const bool delivered = requestBytes > 0 || status > 0;
    if (received.tooLong)
        return unknownOutcome(isSend, QStringLiteral("应答超过 %1 KB").arg(maxReplyBytes / 1024));
    QString why;
    if (rc == CURLE_OPERATION_TIMEDOUT)
        why = QStringLiteral("等待应答超时");
    else if (rc != CURLE_OK)
        why = errorBuffer[0] ? QString::fromLocal8Bit(errorBuffer) : QString::fromLatin1(curl_easy_strerror(rc));
    else if (status >= 400)
        why = QStringLiteral("HTTP 状态 %1").arg(status);
    if (!why.isEmpty()) {
        // A page that does not exist or refuses the request never sent anything; a failing server might have.
        if (!delivered || (status >= 400 && status < 500))
            return transportFailure(why);
        return unknownOutcome(isSend, why);
    }
    GatewayReply reply = parseReply(received.body);
    if (!reply.wellFormed && isSend)
        return unknownOutcome(true, reply.error.section(QStringLiteral("，"), 0, 0), reply);
    return reply;
}

GatewayCall directCall(std::chrono::milliseconds timeout)
{
    return [timeout](const QString& url, const QByteArray& line) { return post(url, line, timeout); };
}

} // namespace tkd::sms
