// The expand/collapse animation: 16 frames inside one repaint, children
// sliding out from under their parent's box or back into it.

#include <chrono>

#include "orgchart/OrgChart.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/window/WindowFlush.h"

bool TCustomOrgChart::BeginNodeAnimation(TOcNode* node)
{
    // Only a chart on screen animates: frames of a hidden window show nobody.
    if (animationSuppressed_ || !HasOption(ocAnimate) || !HasWidget() || !Showing() || !node->IsVisible())
        return false;
    animating_ = node;
    UpdateLayout();
    const TOcMetrics m = Metrics();
    TOcLayout(tree_, m).Pass(m.ToLogical(ClientRect()), true, animating_);
    if (!animationBitmap_) {
        animationBitmap_ = std::make_unique<TBitmap>();
        animationBitmap_->SetSize(Width(), Height());
    }
    return true;
}

void TCustomOrgChart::PaintAnimation()
{
    InvalidateAll();
    Update();
    animating_ = nullptr;
}

void TCustomOrgChart::RunAnimation(TCanvas& canvas, const TRect& area)
{
    using Clock = std::chrono::steady_clock;
    // Showing a frame may ask for a paint of what is not yet on screen; Paint
    // leaves that to the frames under way.
    inAnimation_ = true;
    const TOcMetrics m = Metrics();
    // Frames at the window's resolution, so their text is as sharp as a repaint's.
    animationBitmap_->SetScale(canvas.Scale());
    TCanvas& frame = animationBitmap_->Canvas();
    frame.Font().Assign(&canvas.Font());
    const Clock::time_point start = Clock::now();
    lastAnimationFrames_ = 0;
    for (int step = 15; step >= 0; --step) {
        if (step == 0)
            animating_ = nullptr;
        // Each frame starts from the same tools: a frame ends with the tools of
        // the last box it drew, the selection's white text among them.
        const int saved = frame.SaveState();
        frame.Brush().SetStyle(bsSolid);
        frame.Brush().SetColor(Color());
        frame.FillRect(area);
        PaintTree(frame, m.ToLogical(area), step);
        frame.RestoreState(saved);
        canvas.BitBlt(0, 0, Width(), Height(), &frame, 0, 0, SRCCOPY);
        ShowPictureNow(*this);
        ++lastAnimationFrames_;
        if (step > 0) {
            const int k = 16 - step;
            const Clock::time_point until = start + std::chrono::milliseconds(10 * k);
            while (Clock::now() < until) {
                // The frames are paced by the clock, as the platform's tick count paced them.
            }
        }
    }
    inAnimation_ = false;
}
