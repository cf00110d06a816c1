#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>

namespace tkd::sms {

// Both request lines end with "&" and carry userid as a quoted empty string, as the gateway expects.
// Every value is form-encoded (its GBK bytes percent-escaped), so "&" or "=" in a message stays inside it.
QByteArray balanceLine(const QString& account, const QString& password);
QByteArray sendLine(const QString& account, const QString& password, const QString& recipients, const QString& content);
QByteArray formValue(const QString& value);

// What came back from one request. transportOk is false when there was no usable HTTP reply
// (no connection, a time-out, an error status); the gateway's own verdict is in message.
struct GatewayReply {
    bool transportOk = false;
    bool wellFormed = false;
    // The request reached the gateway but its answer was lost or unreadable: a message may have gone out.
    bool outcomeUnknown = false;
    QString message;
    QString overage;
    QString error; // why the request failed, for the person at the desk

    bool succeeded() const { return wellFormed && message == QStringLiteral("操作成功"); }
    // The text shown when it did not succeed: the gateway's message followed by "！", or the failure.
    QString failureText() const;
};

// A reply longer than this is no answer of the gateway's and is not read.
inline constexpr qsizetype maxReplyBytes = 64 * 1024;

// Reads the root's "message" and "overage" children; anything else is a malformed reply.
// A byte-order mark and blank lines before the XML declaration are let go.
GatewayReply parseReply(const QByteArray& body);

inline constexpr std::chrono::milliseconds defaultTimeout{15000};

// One HTTP/1.0 POST of the line (in GBK, followed by CR LF) to the address. Blocks up to the time-out.
// A send whose request went out but whose answer did not come back readable (time-out, server
// error, unreadable or oversized reply) is reported as of unknown outcome, never as not sent.
GatewayReply post(const QString& url, const QByteArray& line, std::chrono::milliseconds timeout = defaultTimeout);

// How a sender reaches the gateway; the windows wrap post() so the screen keeps painting meanwhile.
using GatewayCall = std::function<GatewayReply(const QString& url, const QByteArray& line)>;
GatewayCall directCall(std::chrono::milliseconds timeout = defaultTimeout);

} // namespace tkd::sms
