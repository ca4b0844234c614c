#include <memory>

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "chrome/toolbars/SkinDock.h"
#include "chrome/toolbars/SkinItem.h"
#include "chrome/themes/SkinNexus.h"
#include "chrome/toolbars/SkinSeparatorItem.h"
#include "chrome/themes/SkinTheme.h"
#include "chrome/themes/SkinThemeStartup.h"
#include "chrome/toolbars/SkinToolbar.h"
#include "platform/framework/actions/Action.h"
#include "platform/framework/Application.h"
#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageList.h"
#include "support/Input.h"
#include "support/Pixels.h"

namespace {

class SkinToolbarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitSkinThemes();
        TSkinNexus::Instance().SetTheme(QStringLiteral("Dream"));
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 400, 200);
        images = new TImageList(form.get());
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(Qt::red);
        images->Add(red);
        images->Add(red);
        images->Add(red);
        save = new TAction(form.get());
        save->SetCaption(QStringLiteral("保存"));
        save->SetImageIndex(2);
        save->OnExecute = TNotifyEvent([this](TObject*) { ++saves; });
        exit = new TAction(form.get());
        exit->SetCaption(QStringLiteral("退出"));
        exit->SetImageIndex(4);

        dock = new TSkinDock(form.get());
        dock->SetParent(form.get());
        bar = new TSkinToolbar(form.get());
        bar->SetDockMode(dmCannotFloatOrChangeDocks);
        bar->SetDragHandleStyle(dhNone);
        bar->SetFullSize(true);
        bar->SetImages(images);
        bar->SetParent(dock);
        first = AddItem(save);
        separator = new TSkinSeparatorItem(form.get());
        separator->SetParent(bar);
        second = AddItem(exit);
    }
    void TearDown() override
    {
        form.reset();
        TSkinNexus::Instance().SetTheme(QStringLiteral("Default"));
    }
    TSkinItem* AddItem(TAction* action)
    {
        auto* item = new TSkinItem(form.get());
        item->SetDisplayMode(nbdmImageAndText);
        item->SetParent(bar);
        item->SetAction(action);
        return item;
    }

    std::unique_ptr<TForm> form;
    TImageList* images = nullptr;
    TAction* save = nullptr;
    TAction* exit = nullptr;
    TSkinDock* dock = nullptr;
    TSkinToolbar* bar = nullptr;
    TSkinItem* first = nullptr;
    TSkinSeparatorItem* separator = nullptr;
    TSkinItem* second = nullptr;
    int saves = 0;
};

} // namespace

TEST_F(SkinToolbarTest, TheDockHoldsAFullWidthToolbarOfButtonsSizedByTheirCaptions)
{
    EXPECT_EQ(dock->BoundsRect(), Bounds(0, 0, 400, 26));
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 400, 26));
    const int tw = TextWidth(TSkinToolbar::MenuFont(), QStringLiteral("保存"));
    EXPECT_EQ(first->BoundsRect(), Bounds(2, 2, tw + 27, 22));
    EXPECT_EQ(separator->BoundsRect(), Bounds(2 + tw + 27, 2, 6, 22));
    EXPECT_EQ(second->Left(), separator->BoundsRect().Right);
    EXPECT_EQ(first->Caption(), QStringLiteral("保存"));
    EXPECT_EQ(first->ImageIndex(), 2);

    // The dock grows with its parent; hidden items give up their place.
    form->SetBounds(0, 0, 500, 200);
    EXPECT_EQ(bar->Width(), 500);
    exit->SetCaption(QStringLiteral("退出程序"));
    EXPECT_EQ(second->Width(), TextWidth(TSkinToolbar::MenuFont(), QStringLiteral("退出程序")) + 27);
    save->SetVisible(false);
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(separator->Left(), 2);
    save->SetVisible(true);
    EXPECT_EQ(separator->Left(), 2 + tw + 27);
}

TEST_F(SkinToolbarTest, DockAndToolbarPaintTheDreamLook)
{
    const QImage* d = Painted(dock);
    EXPECT_EQ(At(d, 0, 0), 0x00E0E0E0);
    const QImage* b = Painted(bar);
    EXPECT_EQ(At(b, 399, 0), clWhite);
    EXPECT_EQ(At(b, 399, 13), RGBColor(230, 234, 236));
    EXPECT_EQ(At(b, 399, 25), 0x00DCD8D0);

    // A normal button lets the background through; a hot one draws its frame.
    const QImage* normal = Painted(first);
    EXPECT_FALSE(Opaque(*normal, 2, 0));
    first->Perform(CM_MOUSEENTER);
    EXPECT_EQ(bar->HighlightedItem(), first);
    const QImage* hot = Painted(first);
    EXPECT_EQ(At(hot, 2, 0), 0x00A0A0A0);
    EXPECT_EQ(At(hot, 2, 2), 0x00F4F0F0);
    EXPECT_EQ(At(hot, 3, 3), clRed); // the picture at 3, 3
    EXPECT_EQ(At(hot, 18, 18), clRed);
    EXPECT_GT(canvastest::count(*hot, clBlack), 10); // the caption
    first->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(bar->HighlightedItem(), nullptr);
}

TEST_F(SkinToolbarTest, ClickingAnEnabledButtonExecutesItsAction)
{
    SendMouse(first, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton);
    EXPECT_TRUE(first->Pushed());
    EXPECT_EQ(At(Painted(first), 2, 0), 0x00909090);
    SendMouse(first, QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(first->Pushed());

    // Released outside the button: no click.
    SendMouse(first, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton);
    SendMouse(first, QEvent::MouseMove, 500, 5, Qt::LeftButton);
    EXPECT_FALSE(first->Pushed());
    SendMouse(first, QEvent::MouseButtonRelease, 500, 5, Qt::LeftButton);
    EXPECT_EQ(saves, 1);
}

TEST_F(SkinToolbarTest, TheFirstIdleUpdateGreysButtonsWhoseActionHasNoHandler)
{
    EXPECT_TRUE(second->Enabled());
    Application()->DoIdle(); // the form is not showing yet: nothing changes
    EXPECT_TRUE(second->Enabled());
    form->Show();
    Application()->DoIdle();
    EXPECT_TRUE(first->Enabled());
    EXPECT_FALSE(second->Enabled());
    EXPECT_FALSE(exit->Enabled());

    const QImage* grey = Painted(second);
    const TColor disabledText = CurrentSkinTheme().ItemColors(1).text;
    EXPECT_EQ(canvastest::count(*grey, clBlack), 0);
    EXPECT_GT(canvastest::count(*grey, disabledText), 10);

    second->Click();
    SendMouse(second, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton);
    EXPECT_FALSE(second->Pushed());

    // Giving the action a handler brings the button back at the next idle time.
    exit->OnExecute = TNotifyEvent([](TObject*) {});
    Application()->DoIdle();
    EXPECT_TRUE(second->Enabled());

    bar->SetUpdateActions(false);
    exit->OnExecute = {};
    Application()->DoIdle();
    EXPECT_TRUE(second->Enabled());
    form->Hide();
}

TEST_F(SkinToolbarTest, ThemedControlsRepaintWhenTheThemeChanges)
{
    Painted(bar);
    Painted(dock);
    TSkinNexus::Instance().SetTheme(QStringLiteral("Flat"));
    EXPECT_EQ(At(Painted(bar), 10, 25), clWhite);
    EXPECT_EQ(At(Painted(dock), 0, 0), clWhite);
    TSkinNexus::Instance().SetTheme(QStringLiteral("dream"));
    EXPECT_EQ(At(Painted(bar), 10, 25), 0x00DCD8D0);
    EXPECT_EQ(At(Painted(dock), 0, 0), 0x00E0E0E0);
}

TEST_F(SkinToolbarTest, ItemsForgetFreedActionsAndToolbarsFreedImages)
{
    delete save;
    EXPECT_EQ(first->Action(), nullptr);
    EXPECT_EQ(first->Caption(), QStringLiteral("保存"));
    first->Click(); // nothing to run, nothing breaks
    delete images;
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(first->Height(), 6 + TextHeight(TSkinToolbar::MenuFont(), QStringLiteral("保存"))); // text only now
    Painted(first);
}

TEST_F(SkinToolbarTest, FreeingTheDockTakesToolbarAndItemsAndLeavesTheActions)
{
    first->Perform(CM_MOUSEENTER);
    delete dock;
    save->SetCaption(QStringLiteral("另存")); // no item is told any more
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(saves, 1);
    form->Show();
    Application()->DoIdle();
    form->Hide();
}
