#pragma once

// Every failure of the store reaches its caller as one exception whose text is
// ready for the user: which store, and what failed.

#include <stdexcept>

#include <QtCore/QString>

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message, bool conflict = false)
        : std::runtime_error(message.toStdString()), message_(message), conflict_(conflict)
    {
    }
    const QString& Message() const { return message_; }
    // A save refused because someone else changed or deleted a record since it
    // was read: reloading, not retrying, mends it.
    bool Conflict() const { return conflict_; }

private:
    QString message_;
    bool conflict_ = false;
};
