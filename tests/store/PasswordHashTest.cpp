#include <gtest/gtest.h>

#include "store/PasswordHash.h"

TEST(PasswordHash, NewPasswordsNeedEightCharactersAndAMatchingConfirmation)
{
    struct Case {
        const char* password;
        const char* confirmation;
        const char* problem;
    } cases[] = {
        {"abcdefgh", "abcdefgh", ""},
        {"塔维克建筑有限公", "塔维克建筑有限公", ""},
        {"abcdefg", "abcdefg", "at least 8"},
        {"", "", "at least 8"},
        {"abcdefgh", "abcdefgH", "differ"},
        {"abcdefgh", "", "differ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.password);
        const QString problem = CheckNewPassword(QString::fromUtf8(c.password), QString::fromUtf8(c.confirmation));
        EXPECT_EQ(problem.isEmpty(), !*c.problem) << problem.toStdString();
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem)));
    }
    EXPECT_FALSE(CheckNewPassword(QString(257, QLatin1Char('a')), QString(257, QLatin1Char('a'))).isEmpty());
    // Each hash has its own salt.
    EXPECT_NE(HashPassword(QStringLiteral("abcdefgh")), HashPassword(QStringLiteral("abcdefgh")));
}
