#pragma once

// A control's reference to an image list: it lets go when the list is
// destroyed and tells the control of every change to the pictures.

#include <functional>

class TImageList;

class TImageListLink {
public:
    // changed runs after every change of the list's pictures, and after the
    // list went away (the link is empty by then).
    explicit TImageListLink(std::function<void()> changed = {}) : changed_(std::move(changed)) {}
    ~TImageListLink();
    TImageListLink(const TImageListLink&) = delete;
    TImageListLink& operator=(const TImageListLink&) = delete;

    // False when the list was already the one referenced.
    bool Set(TImageList* images);
    TImageList* Get() const { return images_; }
    operator TImageList*() const { return images_; }
    TImageList* operator->() const { return images_; }

private:
    TImageList* images_ = nullptr;
    std::function<void()> changed_;
};
