#include "store/PasswordHash.h"

#include <sodium.h>

#include <QtCore/QByteArray>

#include "store/StoreError.h"

namespace {

void InitSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw StoreError(QStringLiteral("Cannot hash passwords: libsodium does not start."));
}

} // namespace

QString CheckNewPassword(const QString& password, const QString& confirmation)
{
    if (password != confirmation)
        return QStringLiteral("The password and its confirmation differ.");
    if (password.size() < MinPasswordLength)
        return QStringLiteral("The password needs at least %1 characters.").arg(MinPasswordLength);
    if (password.size() > MaxPasswordLength)
        return QStringLiteral("The password may have at most %1 characters.").arg(MaxPasswordLength);
    return {};
}

QString HashPassword(const QString& password)
{
    InitSodium();
    QByteArray utf8 = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    const int result = crypto_pwhash_str_alg(hash, utf8.constData(), size_t(utf8.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                             crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13);
    sodium_memzero(utf8.data(), size_t(utf8.size()));
    if (result != 0)
        throw StoreError(QStringLiteral("Cannot hash the password: not enough memory."));
    return QString::fromLatin1(hash);
}

bool VerifyPassword(const QString& hash, const QString& password)
{
    InitSodium();
    const QByteArray encoded = hash.toLatin1();
    QByteArray utf8 = password.toUtf8();
    const bool ok = crypto_pwhash_str_verify(encoded.constData(), utf8.constData(), size_t(utf8.size())) == 0;
    sodium_memzero(utf8.data(), size_t(utf8.size()));
    return ok;
}

QString HashOfUnknownPassword()
{
    InitSodium();
    unsigned char secret[32];
    randombytes_buf(secret, sizeof secret);
    QByteArray text = QByteArray(reinterpret_cast<const char*>(secret), sizeof secret).toBase64();
    sodium_memzero(secret, sizeof secret);
    const QString hash = HashPassword(QString::fromLatin1(text));
    sodium_memzero(text.data(), size_t(text.size()));
    return hash;
}
