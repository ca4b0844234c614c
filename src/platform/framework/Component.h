#pragma once

// Named, owned components: an owner frees what it owns, in reverse order of
// creation, and a component leaves its owner's list when it is freed first.

#include <string>
#include <vector>

#include <QString>

#include "platform/base/Object.h"

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2, csReading = 4 };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    const QString& Name() const { return name_; }
    // Fails when another component of the same owner has the name.
    void SetName(const QString& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    // Case-insensitive, as names in the stored definitions are.
    TComponent* FindComponent(const QString& name) const;
    template <class T>
    T* Find(const QString& name) const
    {
        return dynamic_cast<T*>(FindComponent(name));
    }

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return state_ & csLoading; }
    bool IsDestroying() const { return state_ & csDestroying; }
    // Brackets the reading of a stored definition; Loaded runs at the end.
    void BeginLoading() { state_ |= csLoading; }
    void EndLoading();

protected:
    virtual void Loaded() {}
    // Called on every component of an owner when one of them is freed.
    virtual void Notification(TComponent* component, bool removing) {}
    void MarkDestroying() { state_ |= csDestroying; }
    // Frees the owned components; descendants that must outlive their children's
    // teardown call it early in their own destructor.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    QString name_;
    int tag_ = 0;
    unsigned state_ = 0;
};
