#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "platform/controls/Button.h"
#include "stream/ClassRegistry.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"

namespace {

// A form whose definition comes from the test, with one handler of each shape.
class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* owner) : TForm(owner)
    {
        Handler<TNotifyEvent>("ProbeClick", [this](TObject*) { ++clicks; });
        Handler<TKeyEvent>("ProbeKeyDown", [](TObject*, Word&, TShiftState) {});
    }
    const char* ClassName() const override { return "TProbeForm"; }
    int clicks = 0;
};

class FormLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunUnitStartup();
        ClassRegistry::Instance().Register("TProbeForm", "TForm");
    }

    // Loads text into a fresh probe form; returns the error text, empty when it loaded.
    std::string LoadError(const std::string& text)
    {
        form = std::make_unique<TProbeForm>(nullptr);
        try {
            LoadForm(form.get(), ReadForm(text, "probe.form"), "probe.form");
        } catch (const EFormError& e) {
            return e.what();
        }
        return {};
    }

    std::unique_ptr<TProbeForm> form;
};

const char* const kProbe = R"(object Probe: TProbeForm
  Caption = '探针'
  ClientHeight = 120
  ClientWidth = 200
  Color = 15658734
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = [fsBold]
  object Ok: TButton
    Left = 10
    Top = 20
    Width = 75
    Height = 25
    Caption = '确定'
    TabOrder = 1
    OnClick = ProbeClick
  end
  object Other: TButton
    Left = 90
    Top = 20
    Width = 75
    Height = 25
    Caption = 'Other'
    Enabled = False
    TabOrder = 0
    OnKeyDown = ProbeKeyDown
  end
end
)";

} // namespace

TEST_F(FormLoaderTest, BuildsComponentsSetsPropertiesAndBindsHandlers)
{
    ASSERT_EQ(LoadError(kProbe), "");
    EXPECT_EQ(form->Name(), "Probe");
    EXPECT_EQ(form->Caption(), "探针");
    EXPECT_EQ(form->ClientWidth(), 200);
    EXPECT_EQ(form->Font().Style(), fsBold);
    auto* ok = form->Find<TButton>("Ok");
    auto* other = form->Find<TButton>("Other");
    ASSERT_TRUE(ok && other);
    EXPECT_EQ(ok->Parent(), form.get());
    EXPECT_EQ(ok->Caption(), "确定");
    EXPECT_EQ(ok->Font().Height(), -12); // follows the form
    EXPECT_FALSE(other->Enabled());
    EXPECT_EQ(ok->TabOrder(), 1);
    EXPECT_EQ(other->TabOrder(), 0);
    ok->Click();
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(ok->OnClick.HandlerName(), "ProbeClick");
}

TEST_F(FormLoaderTest, WritingAndReadingBackReproducesTheDefinition)
{
    ASSERT_EQ(LoadError(kProbe), "");
    const FormObject saved = SaveForm(form.get());
    const std::string text = WriteForm(saved);
    EXPECT_NE(text.find("OnClick = ProbeClick"), std::string::npos);
    auto again = std::make_unique<TProbeForm>(nullptr);
    LoadForm(again.get(), ReadForm(text, "saved.form"), "saved.form");
    EXPECT_EQ(SaveForm(again.get()), saved);
}

TEST_F(FormLoaderTest, TheLauncherDefinitionSurvivesARoundTrip)
{
    TMainForm launcher(nullptr);
    const FormObject saved = SaveForm(&launcher);
    const FormObject reread = ReadForm(WriteForm(saved), "launcher");
    EXPECT_EQ(reread, saved);
    ASSERT_EQ(saved.children.size(), 5u);
    EXPECT_EQ(saved.children[2].name, "btnOrg");
    EXPECT_EQ(*saved.children[2].Find("TabOrder"), (FormProperty{"TabOrder", FormValue::Int(1), {}}));
}

TEST_F(FormLoaderTest, EveryFaultNamesResourceLineAndColumn)
{
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"object P: TProbeForm\n  object X: TNoSuchClass\n  end\nend\n", "probe.form:2:3: unknown class TNoSuchClass"},
        {"object P: TProbeForm\n  Colour = 1\nend\n", "probe.form:2:3: unknown property Colour of class TProbeForm"},
        {"object P: TProbeForm\n  Caption = 12\nend\n", "probe.form:2:13: a string expected, found an integer"},
        {"object P: TProbeForm\n  Color = clNoSuch\nend\n", "probe.form:2:11: unknown colour 'clNoSuch'"},
        {"object P: TProbeForm\n  Font.Style = [fsBold, fsWide]\nend\n", "probe.form:2:16: unknown set member 'fsWide'"},
        {"object P: TProbeForm\n  Caption.Size = 1\nend\n",
         "probe.form:2:3: property Caption of class TProbeForm has no sub-properties"},
        {"object P: TProbeForm\n  OnClick = NoSuchHandler\nend\n",
         "probe.form:2:13: unknown handler 'NoSuchHandler' for OnClick"},
        {"object P: TProbeForm\n  OnClick = ProbeKeyDown\nend\n",
         "probe.form:2:13: handler 'ProbeKeyDown' does not fit the event OnClick"},
        {"object P: TProbeForm\n  BorderStyle = bsRound\nend\n", "probe.form:2:17: unknown value 'bsRound'"},
        {"object P: TProbeForm\n  ClientWidth = 99999\nend\n", "probe.form:2:17: integer 99999 out of range 0..32767"},
        {"object P: TMainForm\nend\n", "probe.form:1:1: class TProbeForm expected, found TMainForm"},
        {"object P: TProbeForm\n  object A: TButton\n  end\n  object a: TButton\n  end\nend\n",
         "probe.form:4:3: A component named a already exists"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LoadError(c.text), c.error);
    }
}

TEST_F(FormLoaderTest, AFailedLoadLeavesNothingBehindWhenTheFormIsFreed)
{
    EXPECT_NE(LoadError("object P: TProbeForm\n  object A: TButton\n    Left = 'x'\n  end\nend\n"), "");
    // The half-read component belongs to the form and goes with it.
    EXPECT_EQ(form->ComponentCount(), 1);
    form.reset();
}

TEST_F(FormLoaderTest, AValueASetterRefusesIsAFormErrorAtThatValue)
{
    // Setters of every layer refuse these; the reader must still name the place.
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"object P: TProbeForm\n  object G: TTavikCustomDrawGrid\n    ColCount = 5\n    FixedCols = 5\n  end\nend\n",
         "probe.form:4:17: Fixed column count must be less than column count"},
        {"object P: TProbeForm\n  object G: TTavikCustomDrawGrid\n    FixedRows = -1\n  end\nend\n",
         "probe.form:3:17: Grid index out of range"},
        {"object P: TProbeForm\n  object G: TTavikCustomDrawGrid\n    FixedEditCols = 3\n  end\nend\n",
         "probe.form:3:21: FixedEdit column count must be less than fixed column count"},
        {"object P: TProbeForm\n  object C: TFlatPageControl\n    TabStyle = tsDotNet\n    TabSplitLine = True\n  end\nend\n",
         "probe.form:4:20: TabSplitLine must be false when TabStyle is tsDotNet/tsStudio"},
        // References by name are looked up when loading ends: the component is the place.
        {"object P: TProbeForm\n  object O: TOrgChart\n    Images = Missing\n  end\nend\n",
         "probe.form:2:3: O.Images: no image list named 'Missing'"},
        {"object P: TProbeForm\n  object T: TTreeView\n    Images = Missing\n  end\nend\n",
         "probe.form:2:3: T.Images: no image list named 'Missing'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LoadError(c.text), c.error);
    }
}
