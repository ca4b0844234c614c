// The non-client model of child windows: border, scroll bars with range, page
// and position, the messages their parts send, and the client area inside.

#include <gtest/gtest.h>

#include <QWidget>

#include "QtPrinters.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "platform/framework/window/NonClient.h"
#include "support/Controls.h"
#include "support/Input.h"
#include "support/Pixels.h"

namespace {

// A self-drawn window that records its scroll messages and client clicks.
class TScrollee : public TCustomControl {
public:
    explicit TScrollee(TComponent* owner) : TCustomControl(owner) { SetColor(clWhite); }
    struct Sent {
        unsigned msg, code;
        int pos;
        friend bool operator==(const Sent&, const Sent&) = default;
    };
    std::vector<Sent> sent;
    std::vector<TPoint> downs;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL)
            sent.push_back({m.Msg, unsigned(m.WParam & 0xFFFF), int((m.WParam >> 16) & 0xFFFF)});
        TCustomControl::WndProc(m);
    }
    void MouseDown(TMouseButton, TShiftState, int x, int y) override { downs.push_back({x, y}); }
};

struct Fixture {
    TForm form{nullptr};
    TScrollee* c;
    Fixture()
    {
        form.SetBounds(0, 0, 300, 300);
        c = new TScrollee(&form);
        c->SetParent(&form);
        c->SetBounds(10, 10, 120, 100);
        form.Show();
    }
    ~Fixture() { form.Hide(); }
};

} // namespace

TEST(NonClient, shouldLayOutTheBorderBarsAndClientArea)
{
    struct Row {
        TNonClientBorder border;
        bool horz, vert;
        TRect client, h, v;
    } rows[] = {
        {ncbNone, false, false, {0, 0, 120, 100}, {}, {}},
        {ncbSingle, false, false, {1, 1, 119, 99}, {}, {}},
        {ncbClientEdge, false, false, {2, 2, 118, 98}, {}, {}},
        {ncbNone, false, true, {0, 0, 104, 100}, {}, {104, 0, 120, 100}},
        {ncbClientEdge, true, true, {2, 2, 102, 82}, {2, 82, 102, 98}, {102, 2, 118, 82}},
    };
    for (const Row& r : rows) {
        const TNonClientLayout l = LayoutNonClient(120, 100, r.border, r.horz, r.vert);
        EXPECT_EQ(l.client, r.client);
        EXPECT_EQ(l.horz, r.h);
        EXPECT_EQ(l.vert, r.v);
    }
}

TEST(NonClient, shouldKeepScrollInfoAsThePlatformDoes)
{
    Fixture f;
    TScrollee& c = *f.c;
    c.SetScrollBarStyles(true, true);
    EXPECT_EQ(c.ClientWidth(), 120); // no range yet: no bars
    struct Step {
        TScrollInfo in;
        unsigned mask;
        TScrollInfo out;
        bool shown;
    } steps[] = {
        {{0, 100, 0, 0, 0}, SIF_RANGE, {0, 100, 0, 0, 0}, true},
        {{0, 0, 20, 0, 0}, SIF_PAGE, {0, 100, 20, 0, 0}, true},
        {{0, 0, 0, 500, 0}, SIF_POS, {0, 100, 20, 81, 0}, true}, // at most Max − Page + 1
        {{0, 0, 0, -5, 0}, SIF_POS, {0, 100, 20, 0, 0}, true},
        {{0, 0, 101, 0, 0}, SIF_PAGE, {0, 100, 101, 0, 0}, false}, // the page covers the range
        {{5, 5, 0, 0, 0}, SIF_RANGE | SIF_PAGE, {5, 5, 0, 5, 5}, false},
    };
    for (const Step& s : steps) {
        c.SetScrollInfo(SB_VERT, s.in, s.mask);
        EXPECT_EQ(c.GetScrollInfo(SB_VERT), s.out);
        EXPECT_EQ(c.ScrollBarVisible(SB_VERT), s.shown);
        EXPECT_EQ(c.ClientWidth(), s.shown ? 120 - ScrollBarThickness : 120);
    }
    c.SetScrollRange(SB_HORZ, 0, 127);
    EXPECT_EQ(c.SetScrollPos(SB_HORZ, 64), 0);
    EXPECT_EQ(c.GetScrollPos(SB_HORZ), 64);
    EXPECT_EQ(c.ClientHeight(), 100 - ScrollBarThickness);
    c.SetNonClientBorder(ncbClientEdge);
    EXPECT_EQ(c.ClientRect(), (TRect{0, 0, 116, 96 - ScrollBarThickness}));
}

TEST(NonClient, shouldPlaceChildrenPaintingAndTheMouseInTheClientArea)
{
    Fixture f;
    TScrollee& c = *f.c;
    auto* child = Make<TScrollee>(&f.form, &c, 5, 6, 20, 20);
    c.SetNonClientBorder(ncbSingle);
    EXPECT_EQ(child->Widget()->geometry(), QRect(6, 7, 20, 20));
    EXPECT_EQ(c.ClientToScreen({0, 0}), (TPoint{c.Widget()->mapToGlobal(QPoint(1, 1)).x(),
                                                c.Widget()->mapToGlobal(QPoint(1, 1)).y()}));
    SendMouse(&c, QEvent::MouseButtonPress, 50, 40, Qt::LeftButton);
    SendMouse(&c, QEvent::MouseButtonRelease, 50, 40, Qt::LeftButton);
    SendMouse(&c, QEvent::MouseButtonPress, 0, 40, Qt::LeftButton); // on the border: nobody's
    SendMouse(&c, QEvent::MouseButtonRelease, 0, 40, Qt::LeftButton);
    EXPECT_EQ(c.downs, (std::vector<TPoint>{{49, 39}}));
    ASSERT_NE(c.Surface(), nullptr);
    c.Update();
    EXPECT_EQ(c.Surface()->size(), QSize(118, 98));
}

TEST(NonClient, shouldDrawTheBorderAndTheBarParts)
{
    Fixture f;
    TScrollee& c = *f.c;
    c.SetNonClientBorder(ncbClientEdge);
    c.SetScrollBarStyles(false, true);
    c.SetScrollInfo(SB_VERT, {0, 99, 50, 0, 0}, SIF_RANGE | SIF_PAGE | SIF_POS);
    const QImage img = c.WindowImage();
    auto px = [&](int x, int y) { return At(img, x, y); };
    // Sunken client edge.
    EXPECT_EQ(px(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(px(1, 1), Rgb(cl3DDkShadow));
    EXPECT_EQ(px(119, 99), Rgb(clBtnHighlight));
    EXPECT_EQ(px(118, 98), Rgb(cl3DLight));
    // The bar: 16 wide at x 102..117, from y 2 to 98.
    const int l = 102, t = 2;
    EXPECT_EQ(px(l, t), Rgb(cl3DLight));               // up arrow, raised
    EXPECT_EQ(px(l + 1, t + 1), Rgb(clBtnHighlight));
    EXPECT_EQ(px(l + 15, t + 15), Rgb(cl3DDkShadow));
    EXPECT_EQ(px(l + 7, t + 5), Rgb(clBtnText));       // the arrow's apex
    EXPECT_EQ(px(l + 7, t + 4), Rgb(clBtnFace));
    // Track 64 long under a thumb of half of it (page 50 of 100): thumb 32 at the top.
    EXPECT_EQ(px(l, t + 16), Rgb(cl3DLight));          // thumb's raised edge
    EXPECT_EQ(px(l + 15, t + 47), Rgb(cl3DDkShadow));
    EXPECT_EQ(px(l, t + 48), Rgb(clBtnHighlight));     // track checkerboard
    EXPECT_EQ(px(l + 1, t + 48), Rgb(clBtnFace));
    EXPECT_EQ(px(l + 15, t + 95), Rgb(cl3DDkShadow));  // down arrow
    EXPECT_EQ(px(l + 7, t + 80 + 8), Rgb(clBtnText));  // down arrow's apex

    // Disabled, by itself or under a modal window that disables its form: no
    // thumb, the track checkerboard over the whole length, arrows grey and etched.
    auto checkDisabled = [&](const char* how) {
        SCOPED_TRACE(how);
        const QImage off = c.WindowImage();
        int wrong = 0;
        for (int y = t + 16; y < t + 80; ++y)
            for (int x = l; x < l + 16; ++x)
                wrong += At(off, x, y) != Rgb(((x + y) & 1) ? clBtnFace : clBtnHighlight);
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(At(off, l + 7, t + 5), Rgb(clBtnShadow)); // the apexes
        EXPECT_EQ(At(off, l + 7, t + 88), Rgb(clBtnShadow));
        EXPECT_EQ(At(off, l + 11, t + 9), Rgb(clBtnHighlight)); // the etch, one pixel down and right
        EXPECT_EQ(At(off, l + 8, t + 89), Rgb(clBtnHighlight));
        EXPECT_EQ(At(off, l, t), Rgb(cl3DLight)); // the arrows stay raised
    };
    c.SetEnabled(false);
    checkDisabled("control disabled");
    c.SetEnabled(true);
    f.form.Widget()->setEnabled(false);
    checkDisabled("form disabled");
    f.form.Widget()->setEnabled(true);
    EXPECT_EQ(At(c.WindowImage(), l, t + 16), Rgb(cl3DLight)); // the thumb is back

    c.SetNonClientBorder(ncbSingle);
    c.SetScrollBarStyles(false, false);
    const QImage single = c.WindowImage();
    EXPECT_EQ(At(single, 0, 50), Rgb(clWindowFrame));
    EXPECT_EQ(At(single, 119, 0), Rgb(clWindowFrame));
    EXPECT_EQ(At(single, 1, 1), clWhite);
}

TEST(NonClient, shouldSendTheScrollCodesOfThePartsPressed)
{
    Fixture f;
    TScrollee& c = *f.c;
    c.SetScrollBarStyles(true, true);
    c.SetScrollRange(SB_VERT, 0, 127);
    c.SetScrollRange(SB_HORZ, 0, 127);
    using S = TScrollee::Sent;
    const int x = 120 - 8; // the vertical bar's middle
    struct Click {
        int px, py;
        std::vector<S> expected;
    } clicks[] = {
        {x, 3, {{WM_VSCROLL, SB_LINEUP, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}},
        {x, 80, {{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}},
        {x, 50, {{WM_VSCROLL, SB_PAGEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}},
        {3, 92, {{WM_HSCROLL, SB_LINEUP, 0}, {WM_HSCROLL, SB_ENDSCROLL, 0}}},
        {60, 92, {{WM_HSCROLL, SB_PAGEDOWN, 0}, {WM_HSCROLL, SB_ENDSCROLL, 0}}},
        {112, 92, {}}, // the size box
    };
    for (const Click& k : clicks) {
        c.sent.clear();
        SendMouse(&c, QEvent::MouseButtonPress, k.px, k.py, Qt::LeftButton);
        SendMouse(&c, QEvent::MouseButtonRelease, k.px, k.py, Qt::LeftButton);
        EXPECT_EQ(c.sent, k.expected) << k.px << "," << k.py;
    }
    EXPECT_TRUE(c.downs.empty());

    // Thumb drag: 84-pixel bar, 52-pixel track, 16-pixel thumb; 36 pixels of travel.
    c.sent.clear();
    c.SetScrollPos(SB_VERT, 127);
    SendMouse(&c, QEvent::MouseButtonPress, x, 16 + 36 + 4, Qt::LeftButton);
    SendMouse(&c, QEvent::MouseMove, x, 16 + 18 + 4, Qt::LeftButton);
    SendMouse(&c, QEvent::MouseMove, x, 0, Qt::LeftButton);
    SendMouse(&c, QEvent::MouseButtonRelease, x, 0, Qt::LeftButton);
    EXPECT_EQ(c.sent, (std::vector<S>{{WM_VSCROLL, SB_THUMBTRACK, 64},
                                      {WM_VSCROLL, SB_THUMBTRACK, 0},
                                      {WM_VSCROLL, SB_THUMBPOSITION, 0},
                                      {WM_VSCROLL, SB_ENDSCROLL, 0}}));
}
