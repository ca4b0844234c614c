#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/Startup.h"
#include "platform/framework/Form.h"
#include "stream/ClassRegistry.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"

namespace {

// Classes that only live inside another control, with the smallest such parent.
const std::map<std::string, std::string> kContainer = {
    {"TFlatTabSheet", "TFlatPageControl"}, {"TSkinItem", "TSkinToolbar"}, {"TSkinSeparatorItem", "TSkinToolbar"}};

// What a bare component stores besides its place: values its constructor sets
// away from the declared default, and properties that have no default. Anything
// else written is a default that should have been left out.
const std::map<std::string, std::set<std::string>> kStoredWhenBare = {
    {"TFlatPageControl", {"Font", "ParentFont", "TabStop", "ActiveFont", "Version"}},
    {"TFlatTabSheet", {"Align", "Color", "TabColor", "TabColorTo", "TextColor"}},
    {"TGradientPanel", {"BorderColor", "InnerBorderColor"}},
    {"TOrgChart", {"Font"}},
    {"TSplitter", {"Cursor"}},
    {"TTavikCustomGrid", {"Color", "ParentColor", "Font", "ParentFont", "TabStop"}},
    {"TTavikCustomDrawGrid", {"Font", "ParentFont"}},
    {"TTavikCustomViewGrid", {"Font", "ParentFont", "Options", "ColWidths"}},
    {"TTavikPTGrid", {"Font", "ParentFont", "TabStop", "Options", "ColWidths", "Rows", "DoubleBuffered", "ReadOnly"}},
};

std::string Saved(const std::string& text)
{
    TForm form(nullptr);
    LoadForm(&form, ReadForm(text, "bare.form"), "bare.form");
    return WriteForm(SaveForm(&form));
}

TEST(RegistryRoundTrip, EveryClassLoadsBareStoresNoDefaultsAndReadsBackTheSame)
{
    RunUnitStartup();
    int tried = 0;
    for (const std::string& name : ClassRegistry::Instance().ClassNames()) {
        if (!ClassRegistry::Instance().Find(name)->create)
            continue; // forms and abstract bases are never named inside a definition
        SCOPED_TRACE(name);
        const auto container = kContainer.find(name);
        const bool nested = container != kContainer.end();
        const std::string bare = "object X: " + name + "\nend\n";
        std::string text;
        ASSERT_NO_THROW(text = Saved("object F: TForm\n" +
                                     (nested ? "object P: " + container->second + "\n" + bare + "end\n" : bare) + "end\n"));

        const FormObject root = ReadForm(text, "saved");
        const FormObject* x = (nested ? root.FindChild("P") : &root)->FindChild("X");
        ASSERT_NE(x, nullptr);
        std::set<std::string> stored;
        for (const FormProperty& p : x->properties)
            if (!std::set<std::string>{"Left", "Top", "Width", "Height", "TabOrder"}.contains(p.name))
                stored.insert(p.name.substr(0, p.name.find('.')));
        EXPECT_EQ(stored, kStoredWhenBare.contains(name) ? kStoredWhenBare.at(name) : std::set<std::string>{});
        EXPECT_EQ(Saved(text), text);
        ++tried;
    }
    EXPECT_GE(tried, 26);
}

} // namespace
