#pragma once

// Passwords are kept only as Argon2id hashes (libsodium's interactive cost).

#include <QtCore/QString>

constexpr int MinPasswordLength = 8;
constexpr int MaxPasswordLength = 256;

// What is wrong with a password and its confirmation as the password dialog
// takes them, or an empty text when they may be set.
QString CheckNewPassword(const QString& password, const QString& confirmation);

// An encoded Argon2id hash ("$argon2id$v=19$..."); throws StoreError when
// libsodium cannot make one (out of memory).
QString HashPassword(const QString& password);
bool VerifyPassword(const QString& hash, const QString& password);
// The hash of a random password that is thrown away: an account that has a
// password which nobody knows.
QString HashOfUnknownPassword();
