#include <gtest/gtest.h>

#include "FormTestUtil.h"
#include "chrome/gradients/GradientClasses.h"
#include "chrome/gradients/ExtGroupBox.h"
#include "chrome/gradients/GradientPanel.h"
#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"
#include "stream/PlatformClasses.h"
#include "stream/StdControlClasses.h"

namespace {

// The four panel uses of the screens and a group box, as the screens store them.
const char* const Screen = R"(object UserForm: TForm
  Caption = '用户管理'
  ClientWidth = 798
  ClientHeight = 576
  Color = 15658734
  object GradientPanel1: TGradientPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 576
    Align = alLeft
    BevelOuter = bvNone
    BorderColor = clBlack
    Caption = 'GradientPanel1'
    InnerBorderColor = clBlack
    TabOrder = 0
    object pnlTitle: TGradientPanel
      Left = 0
      Top = 0
      Width = 400
      Height = 22
      Align = alTop
      BevelOuter = bvNone
      BorderColor = clBlack
      Caption = '用户列表'
      InnerBorderColor = clBlack
      TabOrder = 0
    end
    object pnlTools: TGradientPanel
      Left = 0
      Top = 22
      Width = 400
      Height = 30
      Align = alTop
      BevelOuter = bvNone
      BorderColor = clBlack
      Color = 15658734
      DrawGradient = False
      InnerBorderColor = clBlack
      TabOrder = 1
    end
  end
  object pnlUser: TGradientPanel
    Left = 400
    Top = 0
    Width = 398
    Height = 300
    BorderColor = clBlack
    Caption = 'pnlUser'
    InnerBorderColor = clBlack
    LeftMargin = 2
    TabOrder = 1
    object Panel9: TPanel
      Left = 3
      Top = 1
      Width = 394
      Height = 298
      Align = alClient
      BevelOuter = bvNone
      TabOrder = 0
    end
  end
  object ExtGroupBox1: TExtGroupBox
    Left = 400
    Top = 300
    Width = 398
    Height = 276
    BorderLines = [blLeft, blTop, blRight]
    BorderLineColor = clNavy
    Caption = '岗位(&P)'
    Ctl3D = False
    DrawGradient = True
    Gradient.BeginColor = clSilver
    Gradient.Direction = gdInverse
    Gradient.DrawStyle = gtDiagonalFalling
    ParentCtl3D = False
    TabOrder = 2
    TitlePosition = tpTop
  end
end
)";

class GradientClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPlatformClasses();
        RegisterStdControlClasses();
        RegisterGradientClasses();
        RegisterGradientClasses(); // a second call changes nothing
    }
    std::unique_ptr<TForm> Load(const std::string& text)
    {
        auto form = std::make_unique<TForm>(nullptr);
        LoadForm(form.get(), ReadForm(text, "UserFrm.form"), "UserFrm.form");
        return form;
    }
    std::string ErrorOf(const std::string& text)
    {
        return formtest::ErrorOf([&] { Load(text); });
    }
};

using formtest::Replace;

} // namespace

TEST_F(GradientClasses, ReadsThePanelsAndTheGroupBox)
{
    auto form = Load(Screen);
    auto* container = form->Find<TGradientPanel>("GradientPanel1");
    auto* title = form->Find<TGradientPanel>("pnlTitle");
    auto* tools = form->Find<TGradientPanel>("pnlTools");
    auto* user = form->Find<TGradientPanel>("pnlUser");
    auto* inner = form->Find<TPanel>("Panel9");
    auto* box = form->Find<TExtGroupBox>("ExtGroupBox1");
    ASSERT_TRUE(container && title && tools && user && inner && box);

    EXPECT_EQ(title->Caption(), QStringLiteral("用户列表"));
    EXPECT_TRUE(title->DrawGradient());
    EXPECT_EQ(title->Gradient().DrawStyle(), gtTopToBottom);
    EXPECT_EQ(title->BevelOuter(), bvNone);
    EXPECT_EQ(title->Alignment(), taCenter);
    EXPECT_FALSE(tools->DrawGradient());
    EXPECT_EQ(tools->Color(), 15658734);
    EXPECT_EQ(tools->BoundsRect(), (TRect{0, 22, 400, 52}));
    EXPECT_EQ(container->Caption(), QStringLiteral("GradientPanel1"));
    EXPECT_EQ(user->BevelOuter(), bvRaised);
    EXPECT_EQ(user->LeftMargin(), 2);
    EXPECT_EQ(inner->BoundsRect(), (TRect{3, 1, 397, 299})); // inside bevel and margin

    EXPECT_EQ(box->BorderLines(), BorderlineBit(blLeft) | BorderlineBit(blTop) | BorderlineBit(blRight));
    EXPECT_EQ(box->BorderLineColor(), clNavy);
    EXPECT_EQ(box->TitlePosition(), tpTop);
    EXPECT_FALSE(box->Ctl3D());
    EXPECT_TRUE(box->DrawGradient());
    EXPECT_EQ(box->Gradient().BeginColor(), clSilver);
    EXPECT_EQ(box->Gradient().EndColor(), 14665911);
    EXPECT_EQ(box->Gradient().Direction(), gdInverse);
    EXPECT_EQ(box->Gradient().DrawStyle(), gtDiagonalFalling);
}

TEST_F(GradientClasses, WritesBackWhatItRead)
{
    auto form = Load(Screen);
    const FormObject saved = SaveForm(form.get());
    const std::string text = WriteForm(saved);
    auto again = Load(text);
    EXPECT_EQ(SaveForm(again.get()), saved);
    EXPECT_EQ(WriteForm(SaveForm(again.get())), text);
    const FormObject* box = saved.FindChild("ExtGroupBox1");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->Find("Gradient.DrawStyle"), nullptr);
}

TEST_F(GradientClasses, BrokenValuesAreRefused)
{
    EXPECT_NE(ErrorOf(Replace(Screen, "LeftMargin = 2", "LeftMargin = 256")).find("256"), std::string::npos);
    EXPECT_NE(ErrorOf(Replace(Screen, "LeftMargin = 2", "LeftMargin = -1")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "gtDiagonalFalling", "gtSpiral")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "gdInverse", "12")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "[blLeft, blTop, blRight]", "[blLeft, blMiddle]")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "tpTop", "tpCentre")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "Gradient.BeginColor", "Gradient.Colour")).find("Colour"), std::string::npos);
    EXPECT_NE(ErrorOf(Replace(Screen, "DrawGradient = False", "DrawGradient = 3")), "no error");
}
