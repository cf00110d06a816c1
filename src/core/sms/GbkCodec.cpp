#include "GbkCodec.h"

#include <iconv.h>

#include <cerrno>

namespace tkd::gbk {
namespace {

QByteArray convert(const char* to, const char* from, const QByteArray& input, const QByteArray& replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    QByteArray buffer(4096, Qt::Uninitialized);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = static_cast<size_t>(buffer.size());
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.constData(), buffer.size() - static_cast<qsizetype>(outLeft));
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // An unconvertible or broken sequence: skip one character of the input and go on.
        out.append(replacement);
        const bool fromUtf8 = qstrcmp(from, "UTF-8") == 0;
        size_t skip = 1;
        if (fromUtf8) {
            const auto lead = static_cast<unsigned char>(*in);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            skip = std::min(skip, inLeft);
        }
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return out;
}

} // namespace

QByteArray encode(const QString& text)
{
    return convert("GBK", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"));
}

QString decode(const QByteArray& bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes, {}));
}

} // namespace tkd::gbk
