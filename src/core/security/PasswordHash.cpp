#include "PasswordHash.h"

#include "db/DbError.h"

#include <sodium.h>

namespace tkd::security {

namespace {
void ensureSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw DbError(QStringLiteral("加密库初始化失败"));
}
} // namespace

QString hashPassword(const QString& plainText)
{
    ensureSodium();
    const QByteArray utf8 = trimPassword(plainText).toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DbError(QStringLiteral("内存不足，无法保存密码"));
    return QString::fromLatin1(out);
}

bool verifyPassword(const QString& typed, const QString& storedHash)
{
    ensureSodium();
    const QByteArray hash = storedHash.toLatin1();
    if (hash.isEmpty() || hash.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray utf8 = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(), static_cast<unsigned long long>(utf8.size())) ==
           0;
}

QString trimPassword(const QString& typed)
{
    auto blank = [](QChar c) { return c.unicode() <= u' '; };
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && blank(typed.at(begin)))
        ++begin;
    while (end > begin && blank(typed.at(end - 1)))
        --end;
    return typed.mid(begin, end - begin);
}

} // namespace tkd::security
