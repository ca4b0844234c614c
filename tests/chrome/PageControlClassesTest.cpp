#include <gtest/gtest.h>

#include "FormTestUtil.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/PageControlClasses.h"
#include "platform/framework/Form.h"
#include "support/PageControlTestAccess.h"
#include "platform/controls/TreeView.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"
#include "stream/PlatformClasses.h"
#include "stream/StdControlClasses.h"

namespace {

// The organisation screen's switcher: tabs at the bottom, two pages.
const char* const OrgScreen = R"(object OrgForm: TForm
  ClientWidth = 798
  ClientHeight = 576
  object FlatPageControl1: TFlatPageControl
    Left = 0
    Top = 100
    Width = 798
    Height = 476
    ActivePage = tsPic
    Font.Name = 'Tahoma'
    Font.Height = -11
    ActiveFont.Name = 'Tahoma'
    ActiveFont.Height = -11
    TabBackGroundColor = clBtnFace
    TabBackGroundColorTo = clBtnFace
    TabMargin.RightMargin = 0
    TabOverlap = 0
    TabPosition = tpBottom
    TabOrder = 1
    Version = '1.5.0.4'
    object tsPic: TFlatTabSheet
      Caption = '图形化'
      Color = 15658734
      ColorTo = clNone
      TabColor = clBtnFace
      TabColorTo = clNone
      object Panel1: TPanel
        Align = alClient
      end
    end
    object tsText: TFlatTabSheet
      Caption = '文字化'
      Color = 15658734
      TabColor = clBtnFace
      object TreeView1: TTreeView
        Align = alClient
        TabOrder = 0
      end
    end
  end
end
)";

// The rights screen's style: tsDotNet on top.
const char* const RightsScreen = R"(object RightSetForm: TForm
  ClientWidth = 700
  ClientHeight = 500
  object pcRight: TFlatPageControl
    Width = 700
    Height = 500
    ActivePage = FlatTabSheet3
    ActiveColor = clWhite
    ActiveColorTo = 15658734
    DefaultTabColor = clWhite
    DefaultTabColorTo = 14540253
    TabBorderColor = clBlack
    TabSheetBorderColor = 8404992
    TabBackGroundColor = clWhite
    TabBackGroundColorTo = 15658734
    TabHeight = 22
    TabStyle = tsDotNet
    object FlatTabSheet3: TFlatTabSheet
      Caption = '分级权限设置'
      Color = 15658734
    end
    object FlatTabSheet2: TFlatTabSheet
      Caption = '行政和业务隶属关系设置'
      Color = 15658734
      TabGradientDirection = gdHorizontal
    end
  end
end
)";

class PageControlClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPlatformClasses();
        RegisterStdControlClasses();
        RegisterPageControlClasses();
        RegisterPageControlClasses();  // a second call changes nothing
    }
    std::unique_ptr<TForm> Load(const std::string& text)
    {
        auto form = std::make_unique<TForm>(nullptr);
        LoadForm(form.get(), ReadForm(text, "Screen.form"), "Screen.form");
        return form;
    }
    std::string ErrorOf(const std::string& text)
    {
        return formtest::ErrorOf([&] { Load(text); });
    }
};

using formtest::Replace;

} // namespace

TEST_F(PageControlClasses, ReadsTheOrganisationSwitcherAndParentsItsControls)
{
    auto form = Load(OrgScreen);
    auto* pc = form->Find<TFlatPageControl>("FlatPageControl1");
    auto* pic = form->Find<TFlatTabSheet>("tsPic");
    auto* text = form->Find<TFlatTabSheet>("tsText");
    auto* tree = form->Find<TTreeView>("TreeView1");
    ASSERT_TRUE(pc && pic && text && tree);
    EXPECT_EQ(pc->TabPosition(), TTabPosition::tpBottom);
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), pic);
    EXPECT_TRUE(PageControlTestAccess::IsLoaded(*pc));
    EXPECT_EQ(pic->PageControl(), pc);
    EXPECT_EQ(pic->Parent(), pc);
    EXPECT_EQ(tree->Parent(), text);
    EXPECT_EQ(text->TabIndex(), 1);
    EXPECT_EQ(pic->Color(), 15658734);
    EXPECT_EQ(pic->TabColor(), clBtnFace);
    EXPECT_EQ(pc->ActiveFont().Height(), -11);
    EXPECT_TRUE(pic->Visible());
    EXPECT_FALSE(text->Visible());
    // Pages fill the frame; the tab row stays reserved.
    EXPECT_EQ(pic->BoundsRect().Left, 1);
    EXPECT_EQ(pic->BoundsRect().Top, 1);
    EXPECT_EQ(pic->Width(), 796);
    EXPECT_EQ(pic->Height(), 476 - 1 - PageControlTestAccess::Layout(*pc).RowExtent() - 2);
    EXPECT_EQ(tree->BoundsRect(), text->ClientRect());

    // What the screen's creation handler does: no tabs, then the picture page shown.
    text->SetTabVisible(false);
    pic->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    pic->Show();
    EXPECT_EQ(pc->ActivePage(), pic);
    text->Show();
    EXPECT_FALSE(pic->Visible());
    EXPECT_TRUE(text->Visible());
    EXPECT_EQ(pic->Height(), text->Height());
}

TEST_F(PageControlClasses, ReadsTheRightsPagesAndWritesThemBack)
{
    auto form = Load(RightsScreen);
    auto* pc = form->Find<TFlatPageControl>("pcRight");
    auto* s3 = form->Find<TFlatTabSheet>("FlatTabSheet3");
    auto* s2 = form->Find<TFlatTabSheet>("FlatTabSheet2");
    ASSERT_TRUE(pc && s3 && s2);
    EXPECT_EQ(pc->TabStyle(), tsDotNet);
    EXPECT_EQ(pc->TabHeight(), 22);
    EXPECT_EQ(pc->TabRect(0).Height(), 22);
    EXPECT_EQ(s3->TabColor(), clWhite);  // from the defaults when joining
    EXPECT_EQ(s3->TabColorTo(), 14540253);
    EXPECT_EQ(s2->TabGradientDirection(), gdHorizontal);
    EXPECT_EQ(pc->ActivePage(), s3);

    // After loading the margins widen every tab, and follow their changes.
    const int width = pc->TabRect(0).Width();
    pc->TabMargin().SetLeftMargin(7);
    EXPECT_EQ(pc->TabRect(0).Width(), width + 7);
    pc->TabMargin().SetRightMargin(3);
    pc->TabMargin().SetTopMargin(20);  // not along a horizontal strip
    EXPECT_EQ(pc->TabRect(0).Width(), width + 10);
    EXPECT_THROW(pc->TabMargin().SetLeftMargin(-1), EInvalidOperation);
    pc->TabMargin().SetLeftMargin(0);
    pc->TabMargin().SetRightMargin(0);
    pc->TabMargin().SetTopMargin(0);

    const std::string saved = WriteForm(SaveForm(form.get()));
    EXPECT_NE(saved.find("ActivePage = FlatTabSheet3"), std::string::npos) << saved;
    EXPECT_NE(saved.find("TabStyle = tsDotNet"), std::string::npos);
    EXPECT_NE(saved.find("Version = '1.5.0.4'"), std::string::npos);
    auto again = Load(saved);
    EXPECT_EQ(again->Find<TFlatPageControl>("pcRight")->ActivePage(), again->Find<TFlatTabSheet>("FlatTabSheet3"));
}

TEST_F(PageControlClasses, BadStoredValuesGiveClearErrors)
{
    EXPECT_EQ(ErrorOf(Replace(RightsScreen, "ActivePage = FlatTabSheet3", "ActivePage = Nowhere")),
              "ActivePage 'Nowhere' of pcRight is not one of its pages");
    EXPECT_EQ(ErrorOf(Replace(RightsScreen, "ActivePage = FlatTabSheet3", "ActivePage = pcRight")),
              "ActivePage 'pcRight' is not a flat tab sheet");
    EXPECT_NE(ErrorOf(Replace(RightsScreen, "TabStyle = tsDotNet", "TabStyle = tsFancy")).find("tsFancy"),
              std::string::npos);
    EXPECT_NE(ErrorOf(Replace(RightsScreen, "TabHeight = 22", "TabOverlap = 16")).find("16"), std::string::npos);
    EXPECT_EQ(ErrorOf(Replace(RightsScreen, "TabStyle = tsDotNet", "TabStyle = tsDotNet\n    TabSplitLine = True")),
              "TabSplitLine must be false when TabStyle is tsDotNet/tsStudio");
    EXPECT_NE(ErrorOf(Replace(RightsScreen, "TabHeight = 22", "TabHeight = -3")), "no error");
    EXPECT_NE(ErrorOf(Replace(RightsScreen, "TabGradientDirection = gdHorizontal", "TabGradientDirection = 7")),
              "no error");
    EXPECT_NE(ErrorOf(Replace(RightsScreen, "TabHeight = 22", "TabBackGround = {00FF}")).find("picture"),
              std::string::npos);
    EXPECT_NE(ErrorOf(Replace(RightsScreen, "TabHeight = 22", "TabMargin.LeftMargin = -1")), "no error");
}
