#include <gtest/gtest.h>

#include <QImage>

#include "EditorTestGrid.h"
#include "grid/editor/PopupListBox.h"
#include "platform/canvas/Canvas.h"
#include "support/Controls.h"
#include "support/Pixels.h"

namespace {

class EditorPaint : public ::testing::Test, public EditorFixtureBase {
protected:
    TInplaceEdit* Ed() const { return grid->Editor(); }
    void Open(int col, TEditStyle style, const QString& text)
    {
        grid->styles[col] = style;
        grid->Text(col, 1) = text;
        grid->FocusCell(col, 1, true);
        grid->SetEditorMode(true);
    }
    QImage PaintOverlay()
    {
        QImage img(Ed()->Width(), Ed()->Height(), QImage::Format_RGB32);
        img.fill(Qt::white);
        TCanvas canvas(img);
        Ed()->PaintOverlayArea(canvas);
        return img;
    }
};

TEST_F(EditorPaint, TheEllipsisButtonShowsThreeDotsThatShiftWhenPressed)
{
    Open(1, esEllipsis, QString());
    const TRect b = Ed()->ButtonRect();
    const int s = 17 / 8;
    const int cx = (b.Left + b.Right) / 2 - s / 2;
    const int cy = (b.Top + b.Bottom) / 2 - s / 2;
    QImage img = PaintOverlay();
    for (int dx : {-2 * s, 0, 2 * s})
        EXPECT_EQ(At(img, cx + dx, cy), clBlack) << dx;
    EXPECT_EQ(At(img, cx + s, cy), Rgb(clBtnFace));
    Ed()->MouseDown(mbLeft, ssLeft, b.Left + 2, 2);
    img = PaintOverlay();
    EXPECT_EQ(At(img, cx + 1, cy + 1), clBlack);
    EXPECT_EQ(At(img, cx + s + 1, cy), Rgb(clBtnFace));
    Ed()->MouseUp(mbLeft, 0, b.Left + 2, 2);
}

TEST_F(EditorPaint, TheColourStyleShowsASwatchOfTheTextsColour)
{
    struct Case {
        const char* text;
        TColor colour;
    };
    for (const Case& c : {Case{"255", 0x0000FF}, Case{"8388608", 0x800000}, Case{"green", clBlack}}) {
        Open(1, esColorList, QString::fromLatin1(c.text));
        const QImage img = PaintOverlay();
        EXPECT_EQ(At(img, 3, 3), c.colour) << c.text;
        EXPECT_EQ(At(img, Ed()->ButtonRect().Left - 1, Ed()->Height() - 1), c.colour) << c.text;
        // The drop-down button keeps its face.
        EXPECT_EQ(At(img, Ed()->ButtonRect().Left + 3, 3), Rgb(clBtnFace)) << c.text;
        grid->CancelEditor();
    }
}

TEST_F(EditorPaint, ColourListItemsAreFramedSwatchesAndTheDialogEntryIsText)
{
    Open(1, esColorList, QStringLiteral("0"));
    TCustomPopupListBox* list = Ed()->ListBox();
    QImage img(60, 18, QImage::Format_RGB32);
    TCanvas canvas(img);
    list->PaintItem(canvas, 3, {0, 0, 60, 18}, 0); // blue
    EXPECT_EQ(At(img, 1, 1), Rgb(clWindow));
    EXPECT_EQ(At(img, 4, 2), clBlack);   // the frame, 4 in and 2 down
    EXPECT_EQ(At(img, 55, 15), clBlack);
    EXPECT_EQ(At(img, 30, 9), static_cast<TColor>(0xFF0000));
    list->PaintItem(canvas, 16, {0, 0, 60, 18}, odSelected);
    EXPECT_EQ(At(img, 1, 1), Rgb(clHighlight));
    EXPECT_NE(At(img, 4, 2), clBlack);
}

TEST_F(EditorPaint, OwnerDrawnListItemsComeFromTheGrid)
{
    grid->OnQueryListStyle = TGridQueryListStyleEvent([](TObject*, int, int, TListBoxStyle& style, int& height) {
        style = lbOwnerDrawVariable;
        height = 24;
    });
    std::vector<int> drawn, measured;
    grid->OnDrawListItem = TGridDrawListItemEvent(
        [&](TObject*, TCanvas&, int, int, int index, const TRect&, TOwnerDrawState) { drawn.push_back(index); });
    grid->OnMeasureListItem =
        TGridMeasureListItemEvent([&](TObject*, TCanvas&, int, int, int index, int& height) {
            measured.push_back(index);
            height = 30;
        });
    grid->list = {QStringLiteral("a"), QStringLiteral("b")};
    Open(1, esDropDown, QString());
    TCustomPopupListBox* list = Ed()->ListBox();
    EXPECT_EQ(list->Style(), lbOwnerDrawVariable);
    EXPECT_EQ(list->ItemHeight(), 24);
    EXPECT_EQ(list->MeasureItemHeight(1), 30);
    QImage img(40, 30, QImage::Format_RGB32);
    TCanvas canvas(img);
    list->PaintItem(canvas, 1, {0, 0, 40, 30}, 0);
    EXPECT_EQ(drawn, (std::vector<int>{1}));
    EXPECT_EQ(measured, (std::vector<int>{1}));
}

class PartGrid : public EditorTestGrid {
public:
    using EditorTestGrid::EditorTestGrid;
    bool HasEditParts(int col, int row) override { return col == 2; }
    int EditPartCount(int, int) override { return 2; }
    bool GetEditPart(int col, int row, int part, int& fontHeight, TRect& rect, QString& text) override
    {
        const TRect cell = CellBounds(col, row);
        rect = {cell.Left + 4 + part * 30, cell.Top + 1, cell.Left + 30 + part * 30, cell.Bottom};
        fontHeight = -12;
        text = QStringLiteral("p");
        return true;
    }
};

TEST(EditorParts, TheEditorSitsOnThePartAndGrowsWithTheText)
{
    TForm form(nullptr);
    auto* grid = Make<PartGrid>(&form, &form, 0, 0, 400, 200);
    form.SetActiveControl(grid);
    grid->Text(2, 1) = QStringLiteral("ab");
    grid->FocusCell(2, 1, true);
    grid->SetEditorMode(true);
    TInplaceEdit* ed = grid->Editor();
    ASSERT_TRUE(ed->Visible());
    const TRect cell = grid->CellBounds(2, 1);
    EXPECT_EQ(ed->Left(), cell.Left + 4);
    EXPECT_EQ(ed->Top(), cell.Top + 1);
    EXPECT_EQ(ed->Color(), clInfoBk);
    TCanvas measure;
    measure.Font().Assign(&ed->Font());
    EXPECT_EQ(ed->Width(), measure.TextWidth(QStringLiteral("abX")));
    EXPECT_EQ(ed->Height(), std::max(measure.TextHeight(QStringLiteral("Tg")), 14));
    ed->SendChar(QLatin1Char('W'));
    EXPECT_GE(ed->Width(), measure.TextWidth(QStringLiteral("abWXX")));
}

} // namespace
