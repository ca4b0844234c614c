#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "chrome/toolbars/SkinDock.h"
#include "chrome/toolbars/SkinItem.h"
#include "chrome/themes/SkinNexus.h"
#include "chrome/toolbars/SkinSeparatorItem.h"
#include "chrome/themes/SkinSwitcher.h"
#include "chrome/toolbars/SkinToolbar.h"
#include "chrome/toolbars/ToolbarClasses.h"
#include "FormTestUtil.h"
#include "QtPrinters.h"
#include "platform/framework/actions/Action.h"
#include "platform/framework/actions/ActionList.h"
#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageList.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"
#include "stream/PlatformClasses.h"
#include "stream/StdControlClasses.h"

namespace {

using formtest::Replace;

// Items name actions read after them; actions name their list.
const char* const Screen = R"(object PostForm: TForm
  ClientWidth = 400
  ClientHeight = 200
  object SkinDock1: TSkinDock
    Left = 0
    Top = 0
    Width = 400
    Height = 26
    object SkinToolbar6: TSkinToolbar
      Left = 0
      Top = 0
      Caption = 'SkinToolbar1'
      DockMode = dmCannotFloatOrChangeDocks
      DockPos = 0
      DragHandleStyle = dhNone
      FullSize = True
      Images = imlFuncs
      TabOrder = 0
      object SkinItem1: TSkinItem
        Action = acSave
        DisplayMode = nbdmImageAndText
      end
      object SkinSeparatorItem1: TSkinSeparatorItem
      end
      object SkinItem2: TSkinItem
        Action = acExit
        DisplayMode = nbdmImageAndText
      end
    end
  end
  object imlFuncs: TImageList
  end
  object aclFuncs: TActionList
    Images = imlFuncs
  end
  object acSave: TAction
    ActionList = aclFuncs
    Caption = '保存'
    ImageIndex = 2
    OnExecute = acSaveExecute
  end
  object acExit: TAction
    ActionList = aclFuncs
    Caption = '退出'
    ImageIndex = 4
  end
  object SkinSwitcher1: TSkinSwitcher
    Theme = 'dream'
    OnThemeChange = SkinSwitcher1ThemeChange
  end
end
)";

class ToolbarClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPlatformClasses();
        RegisterStdControlClasses();
        RegisterToolbarClasses();
    }
    void TearDown() override { TSkinNexus::Instance().SetTheme(QStringLiteral("Default")); }
    std::unique_ptr<TForm> Load(const std::string& text)
    {
        auto form = std::make_unique<TForm>(nullptr);
        form->Handler<TNotifyEvent>("acSaveExecute", [this](TObject*) { ++saves; });
        form->Handler<TNotifyEvent>("SkinSwitcher1ThemeChange", [this](TObject*) { ++notices; });
        LoadForm(form.get(), ReadForm(text, "Post.dfm"), "Post.dfm");
        return form;
    }
    std::string ErrorOf(const std::string& text)
    {
        return formtest::ErrorOf([&] { Load(text); });
    }
    int saves = 0;
    int notices = 0;
};

} // namespace

TEST_F(ToolbarClasses, AStoredToolbarLoadsWithItsItemsBoundToTheActions)
{
    auto form = Load(Screen);
    EXPECT_EQ(TSkinNexus::Instance().GetTheme(), QStringLiteral("Dream"));
    EXPECT_EQ(notices, 0); // the handler is attached after the theme is set

    auto* bar = form->Find<TSkinToolbar>("SkinToolbar6");
    auto* item = form->Find<TSkinItem>("SkinItem1");
    auto* exitItem = form->Find<TSkinItem>("SkinItem2");
    auto* list = form->Find<TActionList>("aclFuncs");
    ASSERT_TRUE(bar && item && exitItem && list);
    EXPECT_EQ(bar->Images(), form->Find<TImageList>("imlFuncs"));
    EXPECT_EQ(list->Images(), bar->Images());
    EXPECT_EQ(list->ActionCount(), 2);
    EXPECT_EQ(bar->Items().size(), 3u);
    EXPECT_EQ(bar->DockMode(), dmCannotFloatOrChangeDocks);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 400, 26));
    EXPECT_EQ(item->Action(), form->Find<TAction>("acSave"));
    EXPECT_EQ(item->Caption(), QStringLiteral("保存"));
    EXPECT_EQ(item->ImageIndex(), 2);
    EXPECT_EQ(item->Height(), 22);
    item->Click();
    EXPECT_EQ(saves, 1);
    exitItem->Click();
    EXPECT_FALSE(exitItem->Enabled()); // no handler: the action turned itself off

    form->Find<TSkinSwitcher>("SkinSwitcher1")->SetTheme(QStringLiteral("Silver"));
    EXPECT_EQ(notices, 3);
}

TEST_F(ToolbarClasses, WritingAndReadingBackReproducesTheToolbar)
{
    auto form = Load(Screen);
    const std::string text = WriteForm(SaveForm(form.get()));
    EXPECT_NE(text.find("Action = acSave"), std::string::npos);
    EXPECT_NE(text.find("ActionList = aclFuncs"), std::string::npos);
    EXPECT_NE(text.find("Theme = 'Dream'"), std::string::npos);
    EXPECT_EQ(text.find("Caption = '退出'\n      "), std::string::npos); // items take it from the action
    auto again = Load(text);
    EXPECT_EQ(WriteForm(SaveForm(again.get())), text);
}

TEST_F(ToolbarClasses, BrokenReferencesAndValuesFailWithTheReason)
{
    EXPECT_EQ(ErrorOf(Replace(Screen, "Action = acExit", "Action = acNowhere")),
              "SkinItem2.Action: no action named 'acNowhere'");
    EXPECT_EQ(ErrorOf(Replace(Screen, "Images = imlFuncs\n      TabOrder", "Images = acSave\n      TabOrder")),
              "SkinToolbar6.Images: 'acSave' is not an image list");
    EXPECT_EQ(ErrorOf(Replace(Screen, "ActionList = aclFuncs\n    Caption = '退出'",
                              "ActionList = SkinDock1\n    Caption = '退出'")),
              "ActionList 'SkinDock1' is not an action list");
    EXPECT_NE(ErrorOf(Replace(Screen, "DockMode = dmCannotFloatOrChangeDocks", "DockMode = dmSometimes")),
              "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "Theme = 'dream'", "Theme = dream")), "no error");
    // An unknown theme name is no error: the theme stays as it was.
    TSkinNexus::Instance().SetTheme(QStringLiteral("Default"));
    auto form = Load(Replace(Screen, "Theme = 'dream'", "Theme = 'Nightmare'"));
    EXPECT_EQ(TSkinNexus::Instance().GetTheme(), QStringLiteral("Default"));
}
