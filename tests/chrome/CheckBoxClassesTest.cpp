#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "FormTestUtil.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/checkboxes/CheckBoxClasses.h"
#include "chrome/checkboxes/SkinRadioButton.h"
#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"
#include "stream/PlatformClasses.h"
#include "stream/StdControlClasses.h"

namespace {

using formtest::Replace;

const char* const Screen = R"(object OrgForm: TForm
  Caption = '组织机构'
  ClientWidth = 400
  ClientHeight = 200
  Font.Charset = GB2312_CHARSET
  Font.Height = -12
  Font.Name = '宋体'
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 60
    Caption = ''
    object SkinRadioButton2: TSkinRadioButton
      Left = 16
      Top = 24
      Width = 59
      Height = 17
      Caption = '图形'
      Checked = True
      TabOrder = 1
      OnChange = SkinRadioButton2Change
    end
    object SkinRadioButton1: TSkinRadioButton
      Left = 81
      Top = 24
      Width = 49
      Height = 17
      Caption = '文字'
      TabOrder = 0
      OnChange = SkinRadioButton1Change
    end
    object SkinRadioButton3: TSkinRadioButton
      Left = 140
      Top = 24
      Width = 49
      Height = 17
      Caption = '其它'
      GroupIndex = 2
      SmartFocus = False
      TabOrder = 2
      TabStop = False
    end
  end
  object SkinCheckBox1: TSkinCheckBox
    Left = 16
    Top = 74
    Width = 100
    Height = 21
    Alignment = taRightJustify
    Color = clWhite
    Margins.Left = 2
    Margins.Top = 5
    ShowAccelChar = False
    Wrapping = twEndEllipsis
    AllowGrayed = True
    Caption = '挂接岗位'
    State = cbGrayed
    TabOrder = 1
    OnChange = SkinCheckBox1Change
  end
end
)";

class CheckBoxClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPlatformClasses();
        RegisterStdControlClasses();
        RegisterCheckBoxClasses();
    }
    std::unique_ptr<TForm> Load(const std::string& text)
    {
        auto form = std::make_unique<TForm>(nullptr);
        for (const char* name : {"SkinRadioButton1Change", "SkinRadioButton2Change", "SkinCheckBox1Change"})
            form->Handler<TNotifyEvent>(name, [this](TObject*) { ++changes; });
        LoadForm(form.get(), ReadForm(text, "Org.dfm"), "Org.dfm");
        return form;
    }
    std::string ErrorOf(const std::string& text)
    {
        return formtest::ErrorOf([&] { Load(text); });
    }
    int changes = 0;
};

} // namespace

TEST_F(CheckBoxClasses, ReadsTheControlsWithoutFiringTheirEvents)
{
    auto form = Load(Screen);
    auto* r1 = form->Find<TSkinRadioButton>("SkinRadioButton1");
    auto* r2 = form->Find<TSkinRadioButton>("SkinRadioButton2");
    auto* r3 = form->Find<TSkinRadioButton>("SkinRadioButton3");
    auto* box = form->Find<TSkinCheckBox>("SkinCheckBox1");
    ASSERT_TRUE(r1 && r2 && r3 && box);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r1->Checked());
    EXPECT_EQ(r1->TabOrder(), 0);
    EXPECT_TRUE(r1->SmartFocus());
    EXPECT_FALSE(r3->SmartFocus());
    EXPECT_EQ(r3->GroupIndex(), 2);
    EXPECT_EQ(r1->Color(), clNone);
    EXPECT_EQ(r1->Height(), 17);

    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_TRUE(box->AllowGrayed());
    EXPECT_EQ(box->Alignment(), taRightJustify);
    EXPECT_EQ(box->Wrapping(), twEndEllipsis);
    EXPECT_FALSE(box->ShowAccelChar());
    EXPECT_EQ(box->Margins().Left(), 2);
    EXPECT_EQ(box->Margins().Top(), 5);
    EXPECT_EQ(box->Height(), 21); // 12-pixel text, 2 + 2 around it, 5 above

    // Handlers are attached after the states: now they fire.
    r1->SetChecked(true);
    EXPECT_EQ(changes, 2);
}

TEST_F(CheckBoxClasses, WritingAndReadingBackReproducesTheScreen)
{
    auto form = Load(Screen);
    const std::string text = WriteForm(SaveForm(form.get()));
    EXPECT_NE(text.find("State = cbGrayed"), std::string::npos);
    EXPECT_NE(text.find("Margins.Top = 5"), std::string::npos);
    auto again = Load(text);
    EXPECT_EQ(WriteForm(SaveForm(again.get())), text);
}

TEST_F(CheckBoxClasses, CheckedOfACheckBoxIsReadAsItsState)
{
    auto form = Load(Replace(Screen, "State = cbGrayed", "Checked = True"));
    EXPECT_EQ(form->Find<TSkinCheckBox>("SkinCheckBox1")->State(), cbChecked);
    const std::string text = WriteForm(SaveForm(form.get()));
    EXPECT_NE(text.find("State = cbChecked"), std::string::npos);
}

TEST_F(CheckBoxClasses, BrokenValuesFailWithTheReason)
{
    EXPECT_NE(ErrorOf(Replace(Screen, "State = cbGrayed", "State = cbMaybe")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "Alignment = taRightJustify", "Alignment = taCenter")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "Wrapping = twEndEllipsis", "Wrapping = 7")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "GroupIndex = 2", "GroupIndex = 'two'")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "Margins.Top = 5", "Margins.Middle = 5")), "no error");
    EXPECT_NE(ErrorOf(Replace(Screen, "OnChange = SkinCheckBox1Change", "OnChange = Nowhere")), "no error");
    // Absurd but well-formed margins are taken and survive layout.
    auto form = Load(Replace(Screen, "Margins.Top = 5", "Margins.Top = 2147483647"));
    EXPECT_EQ(form->Find<TSkinCheckBox>("SkinCheckBox1")->Margins().Top(), 2147483647);
}

TEST_F(CheckBoxClasses, StoredStatesFireNothingEvenWithTheHandlerListedFirst)
{
    std::string text = Replace(Screen, "      Checked = True\n", "");
    text = Replace(text, "      OnChange = SkinRadioButton2Change\n",
                   "      OnChange = SkinRadioButton2Change\n      Checked = True\n");
    text = Replace(text, "    State = cbGrayed\n", "");
    text = Replace(text, "    OnChange = SkinCheckBox1Change\n", "    OnChange = SkinCheckBox1Change\n    State = cbGrayed\n");
    auto form = Load(text);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(form->Find<TSkinRadioButton>("SkinRadioButton2")->Checked());
    EXPECT_EQ(form->Find<TSkinCheckBox>("SkinCheckBox1")->State(), cbGrayed);
}
