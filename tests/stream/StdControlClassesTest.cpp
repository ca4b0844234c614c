#include <gtest/gtest.h>

#include "FormTestUtil.h"
#include "platform/controls/Bevel.h"
#include "platform/controls/Button.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/TreeView.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"
#include "stream/PlatformClasses.h"
#include "stream/StdControlClasses.h"

namespace {

// A dialog in the style of the screens: every standard control once.
const char* const Dialog = R"(object DepartPropForm: TForm
  Caption = '部门属性'
  ClientWidth = 563
  ClientHeight = 374
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 563
    Height = 97
    Align = alTop
    BevelOuter = bvNone
    Caption = 'Panel1'
    object Label3: TLabel
      Left = 16
      Top = 17
      Width = 54
      Height = 12
      Caption = '部门名称(&N):'
      FocusControl = Edit3
      Transparent = True
    end
    object Edit3: TEdit
      Left = 76
      Top = 15
      Width = 437
      Height = 18
      Ctl3D = False
      ParentCtl3D = False
      TabOrder = 0
      Text = '土木公司'
      OnChange = Edit3Change
    end
    object Edit4: TEdit
      Left = 76
      Top = 47
      Width = 437
      Height = 18
      MaxLength = 8
      PasswordChar = '*'
      TabOrder = 1
    end
  end
  object TreeView1: TTreeView
    Left = 0
    Top = 97
    Width = 241
    Height = 241
    Align = alLeft
    Ctl3D = False
    HideSelection = False
    Images = ImageList1
    Indent = 19
    Items.Nodes = <
      item
        Text = '2.塔维克建筑有限公司'
        ImageIndex = 0
        SelectedIndex = 0
      end
      item
        Text = '董事会'
        Level = 1
        ImageIndex = 1
        SelectedIndex = 1
      end
      item
        Text = '总经理办公室'
        Level = 2
        ImageIndex = 2
        SelectedIndex = 2
        Data = 7
      end
      item
        Text = '0.未分类'
      end>
    SortType = stBoth
    TabOrder = 1
  end
  object Splitter1: TSplitter
    Left = 241
    Top = 97
    Width = 3
    Height = 241
    MinSize = 40
    ResizeStyle = rsUpdate
  end
  object pnlUser: TPanel
    Left = 244
    Top = 97
    Width = 319
    Height = 241
    Align = alClient
    BevelInner = bvLowered
    BorderWidth = 2
    Caption = 'pnlUser'
    TabOrder = 2
  end
  object Panel2: TPanel
    Left = 0
    Top = 338
    Width = 563
    Height = 36
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 3
    object Bevel1: TBevel
      Left = 0
      Top = 0
      Width = 563
      Height = 50
      Align = alTop
      Shape = bsTopLine
    end
    object Button1: TButton
      Left = 391
      Top = 6
      Width = 75
      Height = 25
      Caption = '确定'
      Default = True
      ModalResult = mrOk
      TabOrder = 0
    end
    object Button2: TButton
      Left = 472
      Top = 6
      Width = 75
      Height = 25
      Cancel = True
      Caption = '取消'
      ModalResult = 2
      TabOrder = 1
    end
  end
  object ImageList1: TImageList
    Width = 16
  end
end
)";

class StdControlClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPlatformClasses();
        RegisterStdControlClasses();
    }

    // A form with the handlers the dialog binds.
    std::unique_ptr<TForm> NewForm()
    {
        auto form = std::make_unique<TForm>(nullptr);
        form->Handler<TNotifyEvent>("Edit3Change", [this](TObject*) { ++changes; });
        return form;
    }

    std::unique_ptr<TForm> Load(const std::string& text)
    {
        auto form = NewForm();
        LoadForm(form.get(), ReadForm(text, "Dialog.dfm"), "Dialog.dfm");
        return form;
    }

    // "line:column: problem" of the fault loading text gives.
    std::string ErrorOf(const std::string& text)
    {
        try {
            Load(text);
        } catch (const EFormError& e) {
            return std::to_string(e.Pos().line) + ":" + std::to_string(e.Pos().column) + ": " + e.Problem();
        } catch (const Exception& e) {
            return std::string("other: ") + e.what();
        }
        return "no error";
    }

    int changes = 0;
};

std::string WithImageList(const std::string& pictures)
{
    std::string text = Dialog;
    const std::string anchor = "    Width = 16\n  end\nend";
    text.replace(text.find(anchor), anchor.size(), "    Width = 16\n" + pictures + "  end\nend");
    return text;
}

using formtest::Replace;

} // namespace

TEST_F(StdControlClasses, ReadsEveryControlOfTheDialog)
{
    auto form = Load(Dialog);
    auto* label = form->Find<TLabel>("Label3");
    auto* edit3 = form->Find<TEdit>("Edit3");
    auto* edit4 = form->Find<TEdit>("Edit4");
    auto* tree = form->Find<TTreeView>("TreeView1");
    auto* images = form->Find<TImageList>("ImageList1");
    auto* splitter = form->Find<TSplitter>("Splitter1");
    auto* user = form->Find<TPanel>("pnlUser");
    auto* bevel = form->Find<TBevel>("Bevel1");
    auto* ok = form->Find<TButton>("Button1");
    auto* cancel = form->Find<TButton>("Button2");
    ASSERT_TRUE(label && edit3 && edit4 && tree && images && splitter && user && bevel && ok && cancel);

    EXPECT_EQ(label->FocusControl(), edit3); // named before it was read
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(edit3->Text(), QStringLiteral("土木公司"));
    EXPECT_TRUE(edit3->Flat());
    EXPECT_EQ(changes, 0); // loading is no change
    EXPECT_EQ(edit4->MaxLength(), 8);
    EXPECT_EQ(edit4->PasswordChar(), QChar(u'*'));
    EXPECT_EQ(edit3->Color(), clWindow);

    EXPECT_EQ(tree->Images(), images); // image list defined after the tree
    EXPECT_FALSE(tree->HideSelection());
    EXPECT_EQ(tree->SortType(), stBoth);
    ASSERT_EQ(tree->Items().Count(), 4);
    EXPECT_EQ(tree->Items().Item(0)->Text(), QStringLiteral("0.未分类")); // sorted
    TTreeNode* office = tree->Items().Item(3);
    EXPECT_EQ(office->Text(), QStringLiteral("总经理办公室"));
    EXPECT_EQ(office->Level(), 2);
    EXPECT_EQ(office->ImageIndex(), 2);
    EXPECT_EQ(office->SelectedIndex(), 2);
    EXPECT_EQ(reinterpret_cast<intptr_t>(office->Data()), 7);
    EXPECT_EQ(tree->Items().Item(0)->ImageIndex(), -1);

    EXPECT_EQ(splitter->MinSize(), 40);
    EXPECT_EQ(splitter->ResizeStyle(), rsUpdate);
    EXPECT_EQ(splitter->Align(), alLeft);
    EXPECT_EQ(splitter->FindControl(), tree);
    EXPECT_EQ(user->BevelInner(), bvLowered);
    EXPECT_EQ(user->AlignRect(), Rect(4, 4, 315, 237));
    EXPECT_EQ(bevel->Shape(), bsTopLine);
    EXPECT_EQ(bevel->Width(), 563);
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->TabStop());
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
}

TEST_F(StdControlClasses, WritingAndReadingBackReproducesTheDialog)
{
    // Pictures stored with the list come back pixel for pixel.
    auto form = Load(Dialog);
    auto* images = form->Find<TImageList>("ImageList1");
    for (QRgb c : {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgba(0, 0, 255, 128)}) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(c);
        images->Add(img);
    }
    const FormObject saved = SaveForm(form.get());
    const std::string text = WriteForm(saved);
    auto again = Load(text);
    EXPECT_EQ(SaveForm(again.get()), saved);
    EXPECT_EQ(WriteForm(SaveForm(again.get())), text);

    auto* copy = again->Find<TImageList>("ImageList1");
    ASSERT_EQ(copy->Count(), 3);
    EXPECT_EQ(copy->Image(2), images->Image(2));

    const FormObject* tree = saved.FindChild("TreeView1");
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(tree->Find("Items.Nodes"), nullptr);
    EXPECT_EQ(tree->Find("Items.Nodes")->value.items.size(), 4u);
    const FormObject* panel2 = saved.FindChild("Panel2");
    ASSERT_NE(panel2, nullptr);
    const FormObject* button = panel2->FindChild("Button1");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Find("ModalResult")->value, FormValue::Identifier("mrOk"));
    const FormObject* edit = saved.FindChild("Panel1")->FindChild("Edit3");
    EXPECT_NE(edit->Find("Text"), nullptr);
}

TEST_F(StdControlClasses, BrokenDefinitionsFailWithThePlace)
{
    EXPECT_EQ(ErrorOf(Replace(Dialog, "        Level = 2\n", "        Level = 3\n")),
              "65:7: tree node '总经理办公室' at level 3 has no parent at level 2");
    EXPECT_EQ(ErrorOf(Replace(Dialog, "        Data = 7\n", "        Colour = 7\n")),
              "70:9: unknown property Colour of a tree node");
    EXPECT_EQ(ErrorOf(Replace(Dialog, "Images = ImageList1", "Images = Edit3")),
              "51:14: Images 'Edit3' is not an image list");
    EXPECT_EQ(ErrorOf(Replace(Dialog, "ModalResult = mrOk", "ModalResult = mrMaybe")).substr(0, 6), "120:21");
    EXPECT_EQ(ErrorOf(Replace(Dialog, "PasswordChar = '*'", "PasswordChar = '**'")),
              "39:22: PasswordChar must be a single character");
    EXPECT_EQ(ErrorOf(Replace(Dialog, "Text = '土木公司'", "Caption = '土木公司'")),
              "30:17: unknown property Caption of class TEdit");
    EXPECT_EQ(ErrorOf(WithImageList("    Bitmap = {\n      00112233}\n")),
              "136:14: the Bitmap of an image list is not a readable PNG picture");
    EXPECT_NE(ErrorOf(Replace(Dialog, "Images = ImageList1", "Images = NoSuchList")).find("NoSuchList"),
              std::string::npos);
    EXPECT_NE(ErrorOf(Replace(Dialog, "Shape = bsTopLine", "Shape = bsCircle")), "no error");
    EXPECT_NE(ErrorOf(Replace(Dialog, "MinSize = 40", "MinSize = 0")), "no error");
}
