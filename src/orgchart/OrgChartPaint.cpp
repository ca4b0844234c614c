// Painting: the boxes in their shapes, connectors and bus lines, expand
// buttons, images and texts, the selection and the focus.

#include <algorithm>
#include <vector>

#include "orgchart/OrgChart.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"

unsigned TCustomOrgChart::TextFlags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (editMode_ & emCenter)
        flags |= DT_CENTER;
    if (editMode_ & emRight)
        flags |= DT_RIGHT;
    if (editMode_ & emWrap)
        flags |= DT_WORDBREAK;
    return flags;
}

void TCustomOrgChart::DrawTextIn(TCanvas& canvas, const QString& text, TRect& rect, bool measure) const
{
    const unsigned flags = TextFlags();
    if (editMode_ & emVCenter) {
        TRect probe = rect;
        canvas.DrawText(text, probe, flags | DT_CALCRECT);
        const int h = probe.Height();
        if (h < rect.Height()) {
            rect.Top += (rect.Height() - h) / 2;
            rect.Bottom = rect.Top + h;
        }
    }
    canvas.DrawText(text, rect, flags | DT_EDITCONTROL | (measure ? DT_CALCRECT : 0));
}

void TCustomOrgChart::SetLinePen(TCanvas& canvas)
{
    TPen& pen = canvas.Pen();
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    pen.SetColor(lineColor_);
    pen.SetWidth(Metrics().LW());
    canvas.Brush().SetStyle(bsSolid);
}

void TCustomOrgChart::DrawButton(TCanvas& canvas, TPoint logical)
{
    const TOcMetrics m = Metrics();
    TPoint p = m.ToPhysical(logical);
    if (m.rotated) {
        p.X -= 1;
        p.Y += 1;
    }
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.Rectangle(p.X - 5, p.Y - 6, p.X + 6, p.Y + 5);
    canvas.MoveTo(p.X - 2, p.Y - 1);
    canvas.LineTo(p.X + 3, p.Y - 1);
}

void TCustomOrgChart::DrawNode(TOcNode* node, TCanvas& canvas, const TRect& rect)
{
    if (OnDrawNode) {
        OnDrawNode(this, node, canvas, rect);
        return;
    }
    TRect r = rect;
    TImageList* images = images_.Get();
    const TOcImageAlign align = node->ImageAlign();
    if (images && align != iaNone && node->ImageIndex() != -1) {
        const TOcMetrics m = Metrics();
        const int w = m.Scale(images->Width()), h = m.Scale(images->Height());
        int x = r.Left, y = r.Top;
        switch (align) {
        case iaLT: case iaLC: case iaLB:
            x = r.Left;
            r.Left += w;
            break;
        case iaRT: case iaRC: case iaRB:
            r.Right -= w;
            x = r.Right;
            break;
        case iaTL: case iaTC: case iaTR:
            y = r.Top;
            r.Top += h;
            break;
        default:
            r.Bottom -= h;
            y = r.Bottom;
            break;
        }
        switch (align) {
        case iaLT: case iaRT: y = r.Top; break;
        case iaLC: case iaRC: y = r.Top + (r.Height() - h) / 2; break;
        case iaLB: case iaRB: y = r.Bottom - h; break;
        case iaTL: case iaBL: x = r.Left; break;
        case iaTC: case iaBC: x = r.Left + (r.Width() - w) / 2; break;
        case iaTR: case iaBR: x = r.Right - w; break;
        default: break;
        }
        images->StretchDraw(canvas, Bounds(x, y, w, h), node->ImageIndex());
    }
    DrawTextIn(canvas, node->GetText(), r, false);
}

void TCustomOrgChart::Paint(TCanvas& canvas)
{
    if (inAnimation_)
        return; // a frame being shown asked for it: the animation paints
    painting_ = true;
    UpdateLayout();
    painting_ = false;
    const TOcMetrics m = Metrics();
    const TRect area = canvas.ClipRect();
    if (area.IsEmpty())
        return;
    if (!animating_ && animationBitmap_)
        animationBitmap_.reset();
    if (animationBitmap_)
        animationBitmap_->SetSize(Width(), Height());
    TOcLayout layout(tree_, m);
    layout.Pass(m.ToLogical(area), !animationBitmap_, animating_);

    const int saved = canvas.SaveState();
    canvas.Font().Assign(&Font());
    canvas.Font().SetHeight(m.Scale(Font().Height()));
    if (!animationBitmap_) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(area);
        PaintTree(canvas, m.ToLogical(area), 0);
    } else {
        RunAnimation(canvas, area);
    }
    canvas.RestoreState(saved);
    invalidatePending_ = false;
}

bool TCustomOrgChart::PaintWhole(TCanvas& canvas, const TProgressHook& progress)
{
    UpdateLayout();
    const int saved = canvas.SaveState();
    // The painting below works in client coordinates at the scroll position.
    canvas.MoveWindowOrg(scrollX_, scrollY_);
    const TOcMetrics m = Metrics();
    const TRect area = canvas.ClipRect();
    bool whole = true;
    if (!area.IsEmpty()) {
        TOcLayout layout(tree_, m);
        layout.Pass(m.ToLogical(area), !animationBitmap_, animating_);
        canvas.Font().Assign(&Font());
        canvas.Font().SetHeight(m.Scale(Font().Height()));
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(area);
        const TRect logical = m.ToLogical(area);
        whole = PaintTree(canvas, logical, 0, progress ? &progress : nullptr) &&
                (!progress || progress(logical.Width(), logical.Width()));
    }
    canvas.RestoreState(saved);
    return whole;
}

// Descendants before their ancestors, without recursion: a 100,000-level
// chain paints like any other chart.
bool TCustomOrgChart::PaintTree(TCanvas& canvas, const TRect& area, int step, const TProgressHook* progress)
{
    const TOcMetrics m = Metrics();
    TOcLayout layout(tree_, m);
    const int lw = m.LW(), iy = m.IY();
    const TRect physicalArea = m.ToPhysical(area);
    const TFont paintFont(canvas.Font());
    const bool severalTop = tree_.TopCount() > 1;
    const bool focused = HasFocus();

    auto line = [&](int x1, int y1, int x2, int y2) {
        const TPoint a = m.ToPhysical(TPoint{x1, y1}), b = m.ToPhysical(TPoint{x2, y2});
        canvas.MoveTo(a.X, a.Y);
        canvas.LineTo(b.X, b.Y);
    };

    struct Frame {
        TOcNode* node;
        int left, top, right, bottom, ax, ay;
        size_t next;
        bool any;
        int minX, maxX, childAY;
    };
    auto enter = [&](TOcNode* n) {
        Frame f{};
        f.node = n;
        f.left = n->animX + step * (n->AnimX0() - n->animX) / 16;
        f.top = n->animY + step * (n->AnimY0() - n->animY) / 16;
        f.right = f.left + m.EX(n) + lw;
        f.bottom = n->IsRoot() ? f.top : f.top + m.EY(n) + iy + lw;
        f.ax = f.left + (f.right - f.left) / 2;
        f.ay = f.top + iy / 2;
        return f;
    };
    auto descends = [&](const Frame& f) {
        TOcNode* n = f.node;
        return n->drawFlag && f.bottom < area.Bottom && n->HasChildren() && (n->Expanded() || n == animating_);
    };

    // Finishes a node whose children are done: connectors, then its own box.
    auto finish = [&](Frame& f) {
        TOcNode* n = f.node;
        if (!n->drawFlag)
            return;
        if (f.any) {
            SetLinePen(canvas);
            const bool lone = n->IsRoot() && !severalTop;
            if (!lone) {
                if (n->IsRoot())
                    f.ax = f.maxX;
                line(std::min(f.minX, f.ax), f.childAY, std::max(f.maxX, f.ax), f.childAY);
            }
            if (!n->IsRoot() && f.bottom < f.childAY)
                line(f.ax, f.bottom - lw, f.ax, f.childAY);
        }
        if (n->IsRoot())
            return;
        const bool button = m.HasButton(n);
        const int b = button ? std::max(0, 6 - lw / 2) : 0;
        TRect reach{f.left, f.top, f.right, f.bottom + b};
        TRect meet;
        if (!IntersectRect(meet, reach, area))
            return;
        TRect outline = m.ToPhysical(TRect{f.left, f.top, f.right, f.bottom});
        const bool box3D = m.Box3D(n);
        if (box3D) {
            outline.Right -= lw;
            outline.Bottom -= lw;
        }
        InflateRect(outline, -(lw / 2), -(lw / 2));
        SetLinePen(canvas);
        canvas.Font().Assign(&paintFont);
        canvas.Brush().SetColor(n->Color() == static_cast<TColor>(kOcColorNone) ? Color() : n->Color());
        if (HasOption(ocSelect) && n == tree_.Selected() && focused) {
            canvas.Brush().SetColor(selectedNodeColor_);
            canvas.Font().SetColor(selectedNodeTextColor_);
        }
        const int outlineTopLogical = f.top + lw / 2;
        if (!(n->RawParent()->IsRoot()) || severalTop)
            line(f.ax, f.ay, f.ax, outlineTopLogical + iy);
        TRect shape = outline;
        if (m.rotated)
            shape.Left += iy;
        else
            shape.Top += iy;
        switch (n->Shape()) {
        case shRoundRect: {
            const int c = std::min(m.NW(n), m.NH(n)) / 2;
            canvas.RoundRect(shape, c, c);
            break;
        }
        case shEllipse: canvas.Ellipse(shape); break;
        case shDiamond: {
            const int mx = shape.Left + shape.Width() / 2, my = shape.Top + shape.Height() / 2;
            const std::vector<TPoint> points{
                {shape.Left, my}, {mx, shape.Top}, {shape.Right - 1, my}, {mx, shape.Bottom - 1}};
            canvas.Polygon(points);
            break;
        }
        default:
            canvas.Rectangle(shape);
            if (box3D) {
                const std::vector<TPoint> shadow{{shape.Left + lw, shape.Bottom + lw / 2},
                                                 {shape.Right + lw / 2, shape.Bottom + lw / 2},
                                                 {shape.Right + lw / 2, shape.Top + lw}};
                canvas.Polyline(shadow);
            }
            break;
        }
        const TRect content = layout.ContentRect(n, outline);
        TRect visible;
        if (IntersectRect(visible, content, physicalArea)) {
            n->DoSetFont(canvas.Font());
            DrawNode(n, canvas, content);
            SetLinePen(canvas);
            if (HasOption(ocFocus) && n == tree_.Selected())
                canvas.DrawFocusRect(content);
        }
        if (button) {
            const int outlineBottomLogical = f.bottom - (box3D ? lw : 0) - lw / 2;
            SetLinePen(canvas);
            DrawButton(canvas, {f.ax, outlineBottomLogical});
            if (!n->Expanded()) {
                TPoint p = m.ToPhysical(TPoint{f.ax, outlineBottomLogical});
                if (m.rotated) {
                    p.X -= 1;
                    p.Y += 1;
                }
                canvas.MoveTo(p.X, p.Y - 3);
                canvas.LineTo(p.X, p.Y + 2);
            }
        }
    };

    std::vector<Frame> stack{enter(tree_.Root())};
    if (!descends(stack.back())) {
        finish(stack.back());
        return true;
    }
    // Siblings are finished left to right, so the last one's anchor says how far along the export is.
    constexpr int64_t kStepsPerReport = 256;
    int64_t steps = 0, reached = 0;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (progress && ++steps % kStepsPerReport == 0) {
            reached = std::clamp<int64_t>((top.any ? top.maxX : top.left) - area.Left, reached, area.Width());
            if (!(*progress)(reached, area.Width()))
                return false;
        }
        bool stop = top.next >= top.node->Children().size();
        if (!stop && top.any && top.maxX >= area.Right)
            stop = true; // the rest lies right of the area
        if (stop) {
            Frame done = top;
            stack.pop_back();
            finish(done);
            if (!stack.empty()) {
                Frame& parent = stack.back();
                if (!parent.any) {
                    parent.minX = done.ax;
                    parent.any = true;
                } else if (done.ax < area.Left) {
                    parent.minX = done.ax;
                }
                parent.maxX = done.ax;
                parent.childAY = done.ay;
            }
            continue;
        }
        Frame child = enter(top.node->Children()[top.next++]);
        if (descends(child)) {
            stack.push_back(child);
            continue;
        }
        finish(child);
        if (!top.any) {
            top.minX = child.ax;
            top.any = true;
        } else if (child.ax < area.Left) {
            top.minX = child.ax;
        }
        top.maxX = child.ax;
        top.childAY = child.ay;
    }
    return true;
}

void TCustomOrgChart::FitNodeToText(TOcNode* node)
{
    if ((editMode_ & emWrap) && !(editMode_ & emGrow))
        return;
    if (node->IsRoot())
        return;
    TOcMetrics m = Metrics();
    m.zoomed = false;
    const int nw = m.NW(node), nh = m.NH(node), lw = m.LW();
    TRect r{0, 0, nw + lw, nh + lw};
    if (m.rotated)
        r.Right += m.IY();
    else
        r.Bottom += m.IY();
    r = TOcLayout(tree_, m).ContentRect(node, r);
    TImageList* images = images_.Get();
    const bool image = images && node->ImageIndex() >= 0 && node->ImageIndex() < images->Count();
    if (image && node->ImageAlign() != iaNone) {
        switch (node->ImageAlign()) {
        case iaLT: case iaLC: case iaLB: r.Left += images->Width(); break;
        case iaRT: case iaRC: case iaRB: r.Right -= images->Width(); break;
        case iaTL: case iaTC: case iaTR: r.Top += images->Height(); break;
        default: r.Bottom -= images->Height(); break;
        }
    }
    const int cw = r.Width(), ch = r.Height();
    if (cw <= 0 || ch <= 0)
        return;
    TCanvas measure;
    measure.Font().Assign(&Font());
    node->DoSetFont(measure.Font());
    TRect text = r;
    DrawTextIn(measure, node->GetText(), text, true);
    int64_t dw = int64_t(nw) * (text.Width() - cw) / cw;
    if (image)
        dw += images->Width() * ((editMode_ & emCenter) ? 2 : 1);
    const int64_t dh = int64_t(nh) * (text.Height() - ch) / ch;
    if (dw > 0 && !(editMode_ & emWrap))
        node->SetWidth(static_cast<int>(std::min<int64_t>(nw + dw, 0xFFFF)));
    if (dh > 0 && (editMode_ & emGrow))
        node->SetHeight(static_cast<int>(std::min<int64_t>(nh + dh, 0xFFFF)));
}
