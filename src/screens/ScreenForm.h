#pragma once

// What every screen does when it is constructed: build its components from its
// own stored definition, then run its creation handler.

#include <initializer_list>

#include <QString>

#include "platform/framework/Form.h"

class TScreenForm : public TForm {
public:
    static constexpr const char* StaticClassName() { return "TScreenForm"; }
    const char* ClassName() const override { return StaticClassName(); }

protected:
    explicit TScreenForm(TComponent* owner) : TForm(owner) {}
    // Reads resources/screens/<definition>.form into this form, then runs OnCreate.
    // Handlers must be registered before, fields bound after.
    void Build(const QString& definition);
    // A component of the definition that the screen's code needs by name.
    // Handlers that exist but do nothing, so that their actions stay enabled.
    void EmptyHandlers(std::initializer_list<const char*> names);
    // acExitExecute: the same as the caption bar's close box.
    void ExitHandler();
    template <class T>
    T* Bind(const char* name)
    {
        return FindComponent(QString::fromLatin1(name)) ? Require<T>(name) : nullptr;
    }
    template <class T>
    T* Require(const char* name)
    {
        auto* c = Find<T>(QString::fromLatin1(name));
        if (!c)
            ThrowMissing(name);
        return c;
    }

private:
    [[noreturn]] void ThrowMissing(const char* name) const;
};
