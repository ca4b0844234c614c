#pragma once

// Every failure of the store reaches its caller as one exception whose text is
// ready for the user: which store, and what failed.

#include <stdexcept>

#include <QtCore/QString>

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};
