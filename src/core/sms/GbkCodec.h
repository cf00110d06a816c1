#pragma once

#include <QByteArray>
#include <QString>

namespace tkd::gbk {

// The gateway speaks the GBK code page. Characters GBK cannot hold become "?".
QByteArray encode(const QString& text);
// Bytes that are not valid GBK are dropped rather than failing the whole reply.
QString decode(const QByteArray& bytes);

} // namespace tkd::gbk
