#pragma once

// The flat page control's tab margins: space before the content of a tab
// (left, top) and after it (right). The owner hears about a change before the
// new value is stored, with the old value still readable.

#include <functional>

#include "platform/base/Object.h"

class TTabMargin : public TPersistent {
public:
    enum Which { mLeft = 0, mTop = 1, mRight = 2 };
    using ChangeHandler = std::function<void(int newValue, int oldValue, Which which)>;

    static constexpr const char* StaticClassName() { return "TTabMargin"; }
    const char* ClassName() const override { return StaticClassName(); }
    // From another margin object: the three values.
    void Assign(const TPersistent* source) override;

    int LeftMargin() const { return left_; }
    void SetLeftMargin(int v) { Set(left_, v, mLeft); }
    int TopMargin() const { return top_; }
    void SetTopMargin(int v) { Set(top_, v, mTop); }
    int RightMargin() const { return right_; }
    void SetRightMargin(int v) { Set(right_, v, mRight); }

    ChangeHandler OnMarginChange;

private:
    void Set(int& field, int value, Which which);

    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
};
