#include "platform/canvas/CanvasTypes.h"

TPen::TPen(const TPen& other)
    : TPersistent(), color_(other.color_), width_(other.width_), style_(other.style_), mode_(other.mode_),
      endCap_(other.endCap_), join_(other.join_)
{
}

void TPen::Assign(const TPersistent* source)
{
    if (auto* p = dynamic_cast<const TPen*>(source)) {
        if (p == this)
            return;
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        mode_ = p->mode_;
        endCap_ = p->endCap_;
        join_ = p->join_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::SetColor(TColor c)
{
    if (Exchange(color_, c))
        Changed();
}

void TPen::SetWidth(int w)
{
    if (Exchange(width_, w))
        Changed();
}

void TPen::SetStyle(TPenStyle s)
{
    if (Exchange(style_, s))
        Changed();
}

void TPen::SetMode(TPenMode m)
{
    if (Exchange(mode_, m))
        Changed();
}

void TPen::SetEndCap(TPenEndCap c)
{
    if (Exchange(endCap_, c))
        Changed();
}

void TPen::SetJoinStyle(TPenJoinStyle j)
{
    if (Exchange(join_, j))
        Changed();
}

TBrush::TBrush(const TBrush& other) : TPersistent(), color_(other.color_), style_(other.style_) {}

void TBrush::Assign(const TPersistent* source)
{
    if (auto* b = dynamic_cast<const TBrush*>(source)) {
        if (b == this)
            return;
        color_ = b->color_;
        style_ = b->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::SetColor(TColor c)
{
    if (Exchange(color_, c))
        Changed();
}

void TBrush::SetStyle(TBrushStyle s)
{
    if (Exchange(style_, s))
        Changed();
}
