#include "security/PasswordHash.h"

#include <gtest/gtest.h>

using namespace tkd::security;

TEST(PasswordHash, VerifiesTheTypedTextExactly)
{
    const QString stored = hashPassword(QStringLiteral("  abc1 "));
    EXPECT_FALSE(stored.contains(QStringLiteral("abc1")));
    EXPECT_TRUE(verifyPassword(QStringLiteral("abc1"), stored)) << "stored trimmed";
    EXPECT_FALSE(verifyPassword(QStringLiteral("abc1 "), stored)) << "a typed trailing space never matches";
    EXPECT_FALSE(verifyPassword(QStringLiteral(" abc1"), stored));
    EXPECT_FALSE(verifyPassword(QStringLiteral("ABC1"), stored));
    EXPECT_FALSE(verifyPassword(QString(), stored));
}

TEST(PasswordHash, SaltsEachHash)
{
    EXPECT_NE(hashPassword(QStringLiteral("8888")), hashPassword(QStringLiteral("8888")));
}

TEST(PasswordHash, GarbageStoredValuesNeverMatch)
{
    EXPECT_FALSE(verifyPassword(QStringLiteral("8888"), QStringLiteral("8888"))) << "plain text is not a hash";
    EXPECT_FALSE(verifyPassword(QString(), QString()));
    EXPECT_FALSE(verifyPassword(QStringLiteral("x"), QString(200, QLatin1Char('$'))));
}

TEST(PasswordHash, ChineseAndEmptyPasswords)
{
    const QString stored = hashPassword(QStringLiteral("口令"));
    EXPECT_TRUE(verifyPassword(QStringLiteral("口令"), stored));
    EXPECT_TRUE(verifyPassword(QString(), hashPassword(QStringLiteral("   "))));
}

TEST(PasswordHash, FullWidthSpaceIsPartOfThePassword)
{
    const QString fullWidth = QStringLiteral("abc\u3000");
    const QString stored = hashPassword(QStringLiteral(" ") + fullWidth + QStringLiteral("\t"));
    EXPECT_TRUE(verifyPassword(fullWidth, stored)) << "only the ASCII blanks around it are dropped";
    EXPECT_FALSE(verifyPassword(QStringLiteral("abc"), stored));
    EXPECT_EQ(trimPassword(QStringLiteral("\u3000x\u3000 ")), QStringLiteral("\u3000x\u3000"));
    EXPECT_EQ(trimPassword(QStringLiteral(" \r\n")), QString());
}
