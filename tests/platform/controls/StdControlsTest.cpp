#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>

#include "platform/controls/Bevel.h"
#include "platform/controls/Button.h"
#include "platform/canvas/Canvas.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/controls/Splitter.h"
#include "support/Input.h"
#include "support/Pixels.h"

namespace {

bool IsColor(const QImage& img, int x, int y, TColor c)
{
    return Opaque(img, x, y) && At(img, x, y) == Rgb(c);
}

int LeftmostInk(const QImage& img, TColor background)
{
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (Opaque(img, x, y) && At(img, x, y) != background)
                return x;
    return -1;
}

} // namespace

// ---- Label ------------------------------------------------------------------

TEST(StdLabel, AcceleratorIsTheLetterAfterASingleAmpersand)
{
    TLabel label(nullptr);
    label.SetCaption(QStringLiteral(" ·删除(&Del)"));
    EXPECT_EQ(label.Accelerator(), QChar(u'D'));
    label.SetCaption("a&&b");
    EXPECT_TRUE(label.Accelerator().isNull());
    label.SetCaption("a&&&x");
    EXPECT_EQ(label.Accelerator(), QChar(u'x'));
    label.SetShowAccelChar(false);
    EXPECT_TRUE(label.Accelerator().isNull());
}

TEST(StdLabel, AutoSizeMeasuresTheTextWithoutThePrefix)
{
    TLabel label(nullptr);
    label.SetCaption("&ABC");
    TCanvas measure;
    measure.Font().Assign(&label.Font());
    EXPECT_EQ(label.Width(), measure.TextWidth("ABC"));
    EXPECT_EQ(label.Height(), measure.TextHeight("ABC"));

    // Right-aligned labels grow to the left: the right edge stays.
    label.SetAlignment(taRightJustify);
    label.SetBounds(100, 5, 50, label.Height());
    label.SetCaption("&ABCDEF");
    EXPECT_EQ(label.Left() + label.Width(), 150);
    EXPECT_EQ(label.Width(), measure.TextWidth("ABCDEF"));

    label.SetAutoSize(false);
    label.SetCaption("A");
    EXPECT_EQ(label.Width(), measure.TextWidth("ABCDEF"));
}

TEST(StdLabel, AlignmentAndLayoutPlaceTheText)
{
    TLabel label(nullptr);
    label.SetAutoSize(false);
    label.SetColor(clWhite);
    label.Font().SetColor(clBlack);
    label.SetCaption("MMMM");
    label.SetBounds(0, 0, 200, 60);
    const int textWidth = label.TextSize().cx;
    const TColor white = Rgb(clWhite);

    const int left = LeftmostInk(Painted(label), white);
    EXPECT_GE(left, 0);
    EXPECT_LT(left, 3);
    label.SetAlignment(taCenter);
    EXPECT_NEAR(LeftmostInk(Painted(label), white), (200 - textWidth) / 2, 3);
    label.SetAlignment(taRightJustify);
    EXPECT_NEAR(LeftmostInk(Painted(label), white), 200 - textWidth, 3);

    EXPECT_EQ(label.TextRect().Top, 0);
    label.SetLayout(tlBottom);
    EXPECT_EQ(label.TextRect().Bottom, 60);
    label.SetLayout(tlCenter);
    EXPECT_EQ(label.TextRect().Top, (60 - label.TextSize().cy) / 2);
}

TEST(StdLabel, PrefixUnderlinesAndTransparencyLeavesTheBackground)
{
    TLabel plain(nullptr), prefixed(nullptr);
    plain.SetCaption("A");
    prefixed.SetCaption("&A");
    EXPECT_EQ(plain.Width(), prefixed.Width());
    EXPECT_NE(Painted(plain), Painted(prefixed)); // the underline

    TLabel label(nullptr);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 40, 20);
    label.SetColor(clRed);
    EXPECT_TRUE(IsColor(Painted(label), 39, 19, clRed));
    label.SetTransparent(true);
    EXPECT_EQ(qAlpha(Painted(label).pixel(39, 19)), 0);
}

// ---- Bevel ------------------------------------------------------------------

TEST(StdBevel, EtchedLinesAndBoxes)
{
    TBevel bevel(nullptr);
    bevel.SetBounds(0, 0, 50, 50);
    bevel.SetShape(bsTopLine);
    QImage img = Painted(bevel);
    EXPECT_TRUE(IsColor(img, 10, 0, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 10, 1, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 49, 1, clBtnHighlight));
    EXPECT_EQ(qAlpha(img.pixel(10, 2)), 0);

    bevel.SetShape(bsLeftLine);
    bevel.SetStyle(bsRaised);
    img = Painted(bevel);
    EXPECT_TRUE(IsColor(img, 0, 20, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 1, 20, clBtnShadow));
    EXPECT_EQ(qAlpha(img.pixel(10, 0)), 0);

    bevel.SetShape(bsBox);
    bevel.SetStyle(bsLowered);
    img = Painted(bevel);
    EXPECT_TRUE(IsColor(img, 0, 10, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 10, 0, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 49, 10, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 10, 49, clBtnHighlight));
    EXPECT_EQ(qAlpha(img.pixel(25, 25)), 0);

    bevel.SetShape(bsBottomLine);
    img = Painted(bevel);
    EXPECT_TRUE(IsColor(img, 5, 48, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 5, 49, clBtnHighlight));
    bevel.SetShape(bsSpacer);
    img = Painted(bevel);
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
}

// ---- Panel ------------------------------------------------------------------

TEST(StdPanel, RaisedBevelColours)
{
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 100, 50);
    panel.SetColor(clSilver);
    QImage img = Painted(panel);
    EXPECT_TRUE(IsColor(img, 0, 0, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 50, 0, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 0, 25, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 0, 48, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 0, 49, clBtnShadow)); // the bottom line runs to the corner
    EXPECT_TRUE(IsColor(img, 99, 0, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 99, 25, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 50, 49, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 1, 1, clSilver));

    panel.SetBevelOuter(bvLowered);
    img = Painted(panel);
    EXPECT_TRUE(IsColor(img, 0, 0, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 99, 25, clBtnHighlight));

    // Outer raised, border 2 in the face colour, inner lowered.
    panel.SetBevelOuter(bvRaised);
    panel.SetBorderWidth(2);
    panel.SetBevelInner(bvLowered);
    img = Painted(panel);
    EXPECT_TRUE(IsColor(img, 1, 10, clSilver));
    EXPECT_TRUE(IsColor(img, 3, 10, clBtnShadow));
    EXPECT_TRUE(IsColor(img, 96, 10, clBtnHighlight));
    EXPECT_TRUE(IsColor(img, 4, 10, clSilver));
}

TEST(StdPanel, AlignedChildrenSitInsideBorderAndBevels)
{
    TPanel panel(nullptr);
    panel.SetBounds(0, 0, 440, 220);
    TPanel child(nullptr);
    child.SetParent(&panel);
    child.SetAlign(alClient);
    EXPECT_EQ(child.BoundsRect(), Bounds(1, 1, 438, 218));

    panel.SetBevelOuter(bvNone);
    EXPECT_EQ(child.BoundsRect(), Bounds(0, 0, 440, 220));

    panel.SetBevelOuter(bvRaised);
    panel.SetBevelInner(bvLowered);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    EXPECT_EQ(panel.AlignRect(), Rect(7, 7, 433, 213));
    EXPECT_EQ(child.BoundsRect(), Rect(7, 7, 433, 213));
    // The client area itself is the whole panel, as for any control.
    EXPECT_EQ(panel.ClientWidth(), 440);

    EXPECT_THROW(panel.SetBevelWidth(0), EInvalidOperation);
    EXPECT_THROW(panel.SetBorderWidth(-1), EInvalidOperation);
    panel.SetBounds(0, 0, 5, 5);
    EXPECT_TRUE(panel.AlignRect().IsEmpty());
}

// ---- Splitter ---------------------------------------------------------------

namespace {

struct SplitterScreen {
    TForm form{nullptr};
    TPanel* left = new TPanel(&form);
    TSplitter* splitter = new TSplitter(&form);
    TPanel* right = new TPanel(&form);

    explicit SplitterScreen(TAlign side = alLeft)
    {
        form.SetBounds(0, 0, 400, 300);
        left->SetBounds(0, 0, 100, 300);
        right->SetAlign(alClient);
        left->SetParent(&form);
        right->SetParent(&form);
        if (side == alLeft) {
            left->SetAlign(alLeft);
            splitter->SetBounds(100, 0, 3, 300);
        } else {
            left->SetBounds(0, 200, 400, 100);
            left->SetAlign(alBottom);
            splitter->SetBounds(0, 190, 400, 3);
        }
        splitter->SetAlign(side);
        splitter->SetParent(&form);
    }

    void Drag(int fromX, int fromY, int toX, int toY, bool release = true)
    {
        SendMouse(splitter, QEvent::MouseButtonPress, fromX, fromY, Qt::LeftButton);
        SendMouse(splitter, QEvent::MouseMove, toX, toY, Qt::LeftButton);
        if (release)
            SendMouse(splitter, QEvent::MouseButtonRelease, toX, toY, Qt::LeftButton);
    }
};

} // namespace

TEST(StdSplitter, DragResizesTheNeighbourOnRelease)
{
    SplitterScreen s;
    EXPECT_EQ(s.splitter->Left(), 100);
    EXPECT_EQ(s.splitter->FindControl(), s.left);
    int moved = 0;
    s.splitter->OnMoved = TNotifyEvent([&](TObject*) { ++moved; });

    s.Drag(1, 10, 51, 10, false);
    EXPECT_EQ(s.left->Width(), 100); // rsPattern: only a line follows the mouse
    SendMouse(s.splitter, QEvent::MouseButtonRelease, 51, 10, Qt::LeftButton);
    EXPECT_EQ(s.left->Width(), 150);
    EXPECT_EQ(s.splitter->Left(), 150);
    EXPECT_EQ(s.right->Left(), 153);
    EXPECT_EQ(moved, 1);
    EXPECT_FALSE(s.splitter->Dragging());
}

TEST(StdSplitter, LiveUpdateAndLimits)
{
    SplitterScreen s;
    s.splitter->SetResizeStyle(rsUpdate);
    s.Drag(1, 10, -29, 10, false);
    EXPECT_EQ(s.left->Width(), 70); // follows the mouse while dragging
    SendMouse(s.splitter, QEvent::MouseButtonRelease, 1, 10, Qt::LeftButton);

    // Never below MinSize, never so wide that the far side has less than MinSize.
    s.Drag(1, 10, -500, 10);
    EXPECT_EQ(s.left->Width(), 30);
    s.Drag(1, 10, 1000, 10);
    EXPECT_EQ(s.left->Width(), 400 - 3 - 30);
}

TEST(StdSplitter, BottomAlignedSplitterResizesUpwards)
{
    SplitterScreen s(alBottom);
    EXPECT_EQ(s.splitter->Top(), 197);
    EXPECT_EQ(s.splitter->FindControl(), s.left);
    s.Drag(5, 1, 5, -49);
    EXPECT_EQ(s.splitter->Cursor(), crVSplit);
    EXPECT_EQ(s.left->Height(), 150);
    EXPECT_EQ(s.left->Top(), 150);
    EXPECT_EQ(s.splitter->Top(), 147);
}

TEST(StdSplitter, WithoutNeighbourNothingHappens)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* splitter = new TSplitter(&form);
    splitter->SetParent(&form);
    EXPECT_EQ(splitter->FindControl(), nullptr);
    SendMouse(splitter, QEvent::MouseButtonPress, 1, 1, Qt::LeftButton);
    EXPECT_FALSE(splitter->Dragging());
    EXPECT_THROW(splitter->SetMinSize(0), EInvalidOperation);
}

// ---- Edit -------------------------------------------------------------------

TEST(StdEdit, TextFollowsBothWaysAndReportsChanges)
{
    TEdit edit(nullptr);
    int changes = 0;
    edit.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    edit.SetText(QStringLiteral("土木公司"));
    EXPECT_EQ(changes, 1);
    auto* line = static_cast<QLineEdit*>(edit.Widget());
    EXPECT_EQ(line->text(), QStringLiteral("土木公司"));
    line->setText("T.TM"); // as typed
    EXPECT_EQ(edit.Text(), "T.TM");
    EXPECT_EQ(changes, 2);
    edit.SetText("T.TM");
    EXPECT_EQ(changes, 2);

    edit.SetReadOnly(true);
    EXPECT_TRUE(line->isReadOnly());
    edit.SetMaxLength(3);
    EXPECT_EQ(line->maxLength(), 3);
    EXPECT_THROW(edit.SetMaxLength(-1), EInvalidOperation);
    edit.SetPasswordChar(u'*');
    EXPECT_EQ(line->echoMode(), QLineEdit::Password);
    edit.SetEnabled(false);
    EXPECT_FALSE(line->isEnabled());
}

TEST(StdEdit, FlatLookIsAOnePixelFrame)
{
    TEdit edit(nullptr);
    edit.SetBounds(0, 0, 100, 18);
    edit.SetCtl3D(false);
    EXPECT_TRUE(edit.Flat());
    EXPECT_FALSE(edit.ParentCtl3D());
    const QImage img = edit.Widget()->grab().toImage();
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, Rgb(clWindowFrame) & 0xFFFFFF);
    EXPECT_EQ(img.pixel(99, 17) & 0xFFFFFF, Rgb(clWindowFrame) & 0xFFFFFF);
    EXPECT_EQ(img.pixel(1, 1) & 0xFFFFFF, Rgb(clWindow) & 0xFFFFFF);
    EXPECT_EQ(img.pixel(1, 16) & 0xFFFFFF, Rgb(clWindow) & 0xFFFFFF);
}

TEST(StdEdit, EnterAndEscapeGoToTheDialogsButtons)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = new TButton(&form);
    cancel->SetParent(&form);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    EXPECT_EQ(edit->DialogCode() & (DLGC_WANTALLKEYS | DLGC_WANTTAB), 0u);

    form.SetActiveControl(edit);
    SendKey(edit->Widget(), Qt::Key_Return);
    EXPECT_EQ(form.ModalResult(), mrOk);
    form.SetModalResult(mrNone);
    SendKey(edit->Widget(), Qt::Key_Escape);
    EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST(StdButton, FocusRectangleAndDefaultFrameAsThePlatformDrawsThem)
{
    TForm form(nullptr);
    auto* plain = new TButton(&form);
    plain->SetParent(&form);
    auto* def = new TButton(&form);
    def->SetParent(&form);
    def->SetDefault(true);
    const QRgb face = Rgb(clBtnFace), inverted = face ^ 0xFFFFFF;
    struct Row {
        TButton* button;
        bool focused;
        TColor corner, inside;
    } rows[] = {{plain, false, clBtnHighlight, cl3DLight},
                {def, false, clWindowFrame, clBtnHighlight},
                {plain, true, clWindowFrame, clBtnHighlight}};
    for (const Row& r : rows) {
        const QImage img = r.button->Picture(r.focused, false);
        EXPECT_TRUE(IsColor(img, 0, 0, r.corner));
        EXPECT_TRUE(IsColor(img, 1, 1, r.inside));
        // The dotted focus rectangle, four pixels in: every other pixel inverted.
        const bool dotted = (img.pixel(4, 4) & 0xFFFFFF) == (inverted & 0xFFFFFF);
        EXPECT_EQ(dotted, r.focused);
        EXPECT_EQ(img.pixel(5, 4) & 0xFFFFFF, face & 0xFFFFFF);
        EXPECT_EQ((img.pixel(74 - 4, 12) & 0xFFFFFF) == (inverted & 0xFFFFFF), r.focused); // right side, x + y even
    }
}
