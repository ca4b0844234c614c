#include <gtest/gtest.h>

#include <memory>

#include "orgchart/OrgChart.h"
#include "orgchart/OrgChartClasses.h"
#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/PlatformClasses.h"

namespace {

class OrgChartClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPlatformClasses();
        RegisterOrgChartClasses();
    }
    std::unique_ptr<TForm> Load(const std::string& chart, std::vector<std::string>* changes = nullptr)
    {
        auto form = std::make_unique<TForm>(nullptr);
        if (changes)
            form->Handler<TOcEvent>("orgChange", [changes](TObject*, TOcNode* n) {
                changes->push_back(n ? n->Text().toStdString() : "none");
            });
        LoadForm(form.get(), ReadForm("object F: TForm\n  object org: TOrgChart\n" + chart + "  end\nend\n", "Chart.dfm"),
                 "Chart.dfm");
        return form;
    }
};

} // namespace

TEST_F(OrgChartClasses, PropertiesEventsAndItemsRoundTrip)
{
    std::vector<std::string> changes;
    // One top node "A" (GBK 41) with a child "B".
    auto form = Load("    LineWidth = 2\n    IndentX = 0\n    Rotated = True\n    Options = [ocSelect, ocInsDel]\n"
                     "    EditMode = [emCenter, emGrow]\n    DefaultImageAlign = iaBC\n    OnChange = orgChange\n"
                     "    Items = {\n      0000010000000000FFFFFF1F0100FFFF020100410100\n"
                     "      00000000FFFFFF1F0103FFFF0B0100420000}\n",
                     &changes);
    auto* chart = form->Find<TOrgChart>("org");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->RawLineWidth(), 2);
    EXPECT_EQ(chart->RawIndentX(), 0);
    EXPECT_TRUE(chart->Rotated());
    EXPECT_EQ(chart->Options(), TOcOptions(ocSelect | ocInsDel));
    EXPECT_EQ(chart->Tree().DefaultImageAlign(), iaBC);
    ASSERT_EQ(chart->Tree().Count(), 2);
    EXPECT_EQ(chart->Tree().Items(0)->Items(0)->Shape(), shDiamond);
    // The first node read is selected as it is made, before its text is read.
    EXPECT_EQ(changes, (std::vector<std::string>{""}));
    chart->Tree().SetSelected(chart->Tree().Items(0)->Items(0));
    EXPECT_EQ(changes, (std::vector<std::string>{"", "B"}));

    const FormObject saved = SaveForm(form.get());
    const FormObject* org = saved.FindChild("org");
    ASSERT_NE(org, nullptr);
    const FormProperty* items = org->Find("Items");
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->value.bytes.size(), 40u);
    EXPECT_NE(org->Find("OnChange"), nullptr);
}

TEST_F(OrgChartClasses, BrokenItemsNameTheDefinitionAndTheOffset)
{
    try {
        Load("    Items = {0000050000}\n");
        FAIL() << "no error";
    } catch (const EFormError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("Chart.dfm"), std::string::npos) << what;
        EXPECT_NE(what.find("at byte 2"), std::string::npos) << what;
    }
}
