#pragma once

// Root classes of the component framework: run-time class names, assignment
// between persistent objects, and the framework's exception types.

#include <functional>
#include <stdexcept>
#include <string>

#include <QString>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    explicit Exception(const char* message) : std::runtime_error(message) {}
    explicit Exception(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

// Assignment between incompatible persistent classes.
class EConvertError : public Exception {
    using Exception::Exception;
};
// List index out of bounds and similar misuse of the framework's lists.
class EListError : public Exception {
    using Exception::Exception;
};
// Broken invariants that the code itself guards.
class EAssertionFailed : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
// A checked conversion of an object to a class it is not of.
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
};

class TObject {
public:
    virtual ~TObject() = default;
    // The class name the stored definitions and messages use ("TButton").
    virtual const char* ClassName() const { return "TObject"; }
};

class TPersistent : public TObject {
public:
    const char* ClassName() const override { return "TPersistent"; }
    // Copies source into this object; fails with EConvertError for foreign classes.
    virtual void Assign(const TPersistent* source);

protected:
    // The reverse direction of Assign, tried when the target does not know the source.
    virtual void AssignTo(TPersistent* dest) const;
};

// Stores value in field; true when that changed it. Setters notify only then.
template <class T, class V>
bool Exchange(T& field, const V& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// A method pointer: a handler plus the name it was bound by in a stored definition.
template <class... Args>
class TEvent {
public:
    using Handler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(Handler handler, std::string name = {}) : handler_(std::move(handler)), name_(std::move(name)) {}

    explicit operator bool() const { return static_cast<bool>(handler_); }
    void operator()(Args... args) const
    {
        if (handler_)
            handler_(std::forward<Args>(args)...);
    }
    // Name of the form method the event is bound to; empty when assigned by code.
    const std::string& HandlerName() const { return name_; }

private:
    Handler handler_;
    std::string name_;
};

using TNotifyEvent = TEvent<TObject*>;
