// Every placement the screens' layout tables give, against the built screens.
// Controls that arrive later (the PT grids, the chart) join this table then.

#include <gtest/gtest.h>

#include <memory>

#include "QtPrinters.h"
#include "app/ScreenCatalog.h"
#include "app/Startup.h"
#include "chrome/SkinCheckBox.h"
#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/Label.h"

namespace {

struct Placement {
    const char* screen;
    const char* control; // nullptr: the window's client area
    int left, top, width, height;
};

// Left, top, width, height relative to the parent's client area.
const Placement kPlacements[] = {
    {"TMainForm", nullptr, 0, 0, 398, 314},
    {"TMainForm", "btnPost", 112, 16, 105, 25},
    {"TMainForm", "btnUser", 113, 64, 105, 25},
    {"TMainForm", "btnOrg", 113, 113, 105, 25},
    {"TMainForm", "btnRight", 113, 169, 105, 25},
    {"TMainForm", "Button5", 112, 224, 105, 25},

    {"TOrgForm", nullptr, 0, 0, 798, 576},
    {"TOrgForm", "SkinDock1", 0, 0, 798, 26},
    {"TOrgForm", "GradientPanel1", 0, 26, 798, 74},
    {"TOrgForm", "ExtGroupBox1", 16, 6, 193, 55},
    {"TOrgForm", "SkinRadioButton2", 16, 24, 59, 17},
    {"TOrgForm", "SkinRadioButton1", 81, 24, 49, 17},
    {"TOrgForm", "ExtGroupBox2", 224, 6, 329, 55},
    {"TOrgForm", "SkinCheckBox1", 15, 24, 100, 17},
    {"TOrgForm", "SkinCheckBox2", 104, 24, 113, 17},
    {"TOrgForm", "SkinCheckBox3", 223, 24, 82, 17},
    {"TOrgForm", "FlatPageControl1", 0, 100, 798, 476},
    {"TOrgForm", "TreeView1", 0, 0, 796, 455},

    // The department dialog in its full form ("挂接岗位" ticked).
    {"TDepartPropForm", nullptr, 0, 0, 563, 374},
    {"TDepartPropForm", "Splitter1", 241, 97, 3, 241},
    {"TDepartPropForm", "pnlUser", 244, 97, 319, 241},
    {"TDepartPropForm", "SkinDock3", 1, 1, 317, 26},
    {"TDepartPropForm", "pnlPost", 0, 97, 241, 241},
    {"TDepartPropForm", "SkinDock2", 0, 0, 241, 26},
    {"TDepartPropForm", "GradientPanel4", 0, 0, 563, 97},
    {"TDepartPropForm", "Label3", 16, 17, 54, 12},
    {"TDepartPropForm", "Label4", 16, 49, 54, 12},
    {"TDepartPropForm", "Edit3", 76, 15, 437, 18},
    {"TDepartPropForm", "Edit4", 76, 47, 437, 18},
    {"TDepartPropForm", "SkinCheckBox1", 16, 74, 100, 17},
    {"TDepartPropForm", "GradientPanel1", 0, 338, 563, 36},
    {"TDepartPropForm", "Bevel1", 0, 0, 563, 50},
    {"TDepartPropForm", "Button1", 391, 6, 75, 25},
    {"TDepartPropForm", "Button2", 472, 6, 75, 25},

    {"TRolePropForm", nullptr, 0, 0, 440, 334},
    {"TRolePropForm", "GradientPanel3", 0, 78, 440, 220},
    {"TRolePropForm", "SkinDock3", 1, 1, 438, 26},
    {"TRolePropForm", "GradientPanel1", 0, 298, 440, 36},
    {"TRolePropForm", "Button1", 263, 5, 75, 25},
    {"TRolePropForm", "Button2", 344, 6, 75, 25},
    {"TRolePropForm", "GradientPanel4", 0, 0, 440, 78},
    {"TRolePropForm", "Label3", 16, 17, 54, 12},
    {"TRolePropForm", "Label4", 16, 49, 30, 12},
    {"TRolePropForm", "Edit3", 76, 15, 343, 18},
    {"TRolePropForm", "Edit4", 76, 39, 343, 18},

    {"TUserForm", nullptr, 0, 0, 798, 576},
    {"TUserForm", "Splitter1", 225, 26, 3, 550},
    {"TUserForm", "SkinDock1", 0, 0, 798, 26},
    {"TUserForm", "GradientPanel1", 0, 26, 225, 550},
    {"TUserForm", "TreeView1", 0, 22, 225, 528},
    {"TUserForm", "GradientPanel2", 0, 0, 225, 22},
    {"TUserForm", "GradientPanel3", 228, 26, 570, 550},
    // SkinDock2 (0, 347) lies under the user grid, which arrives later.
    {"TUserForm", "SkinDock3", 0, 22, 570, 26},
    {"TUserForm", "GradientPanel4", 0, 0, 570, 22},

    {"TPostForm", nullptr, 0, 0, 798, 576},
    {"TPostForm", "SkinDock1", 0, 0, 798, 26},

    {"TRightSetForm", nullptr, 0, 0, 798, 576},
    {"TRightSetForm", "Splitter1", 223, 26, 3, 550},
    {"TRightSetForm", "SkinDock1", 0, 0, 798, 26},
    {"TRightSetForm", "GradientPanel1", 0, 26, 223, 550},
    {"TRightSetForm", "tvFullOrg", 0, 22, 223, 528},
    {"TRightSetForm", "GradientPanel2", 0, 0, 223, 22},
    {"TRightSetForm", "GradientPanel3", 226, 26, 572, 550},
    {"TRightSetForm", "pcRight", 0, 0, 572, 550},
    {"TRightSetForm", "Label14", 16, 15, 300, 13},
    {"TRightSetForm", "SkinCheckBox2", 16, 46, 233, 17},
    {"TRightSetForm", "Label3", 18, 78, 172, 13},
    {"TRightSetForm", "Label10", 196, 78, 84, 12},
    {"TRightSetForm", "Label18", 292, 78, 72, 12},
    {"TRightSetForm", "Label4", 16, 247, 148, 13},
    {"TRightSetForm", "Label11", 170, 248, 114, 12},
    {"TRightSetForm", "Label19", 292, 248, 72, 12},
    {"TRightSetForm", "Label13", 16, 15, 240, 13},
    {"TRightSetForm", "Label2", 16, 46, 100, 13},
    {"TRightSetForm", "Label12", 122, 47, 108, 12},
    {"TRightSetForm", "Label17", 244, 47, 72, 12},
    {"TRightSetForm", "Label23", 16, 15, 384, 13},
    {"TRightSetForm", "Label24", 16, 46, 76, 13},
    {"TRightSetForm", "Label25", 98, 47, 84, 12},
    {"TRightSetForm", "Label26", 188, 47, 72, 12},
    {"TRightSetForm", "Label15", 16, 15, 444, 13},
    {"TRightSetForm", "Label1", 16, 46, 148, 13},
    {"TRightSetForm", "Label7", 170, 47, 90, 12},
    {"TRightSetForm", "Label8", 266, 47, 90, 12},
    {"TRightSetForm", "Label21", 379, 47, 66, 12},
    {"TRightSetForm", "Label22", 451, 47, 78, 12},
    {"TRightSetForm", "SkinCheckBox1", 16, 487, 113, 17},
    {"TRightSetForm", "Label16", 16, 15, 324, 13},
    {"TRightSetForm", "Label5", 16, 46, 76, 13},
    {"TRightSetForm", "Label6", 16, 206, 76, 13},
    {"TRightSetForm", "Label9", 98, 207, 90, 12},
    {"TRightSetForm", "Label20", 194, 207, 72, 12},
    {"TRightSetForm", "SkinCheckBox3", 16, 487, 113, 17},
};

std::unique_ptr<TCustomForm> Build(const char* screen)
{
    const ScreenEntry* entry = FindScreen(QString::fromLatin1(screen));
    if (!entry)
        return nullptr;
    std::unique_ptr<TCustomForm> form(entry->make(nullptr));
    if (QString::fromLatin1(screen) == "TDepartPropForm")
        if (auto* full = dynamic_cast<TSkinCheckBox*>(form->FindComponent("SkinCheckBox1")))
            full->SetChecked(true);
    return form;
}

} // namespace

TEST(ScreenPlacement, shouldPlaceEveryControlAsTheLayoutTablesSay)
{
    RunUnitStartup();
    std::unique_ptr<TCustomForm> form;
    QString built;
    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(std::string(p.screen) + " " + (p.control ? p.control : "client area"));
        if (built != QString::fromLatin1(p.screen)) {
            form = Build(p.screen);
            built = QString::fromLatin1(p.screen);
        }
        ASSERT_NE(form, nullptr);
        if (!p.control) {
            EXPECT_EQ(form->ClientWidth(), p.width);
            EXPECT_EQ(form->ClientHeight(), p.height);
            continue;
        }
        auto* c = dynamic_cast<TControl*>(form->FindComponent(QString::fromLatin1(p.control)));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->BoundsRect(), Bounds(p.left, p.top, p.width, p.height));
    }
}

TEST(ScreenPlacement, shouldOverlapNoSiblingOnAnyScreen)
{
    // Labels, whose widths come from measuring their text, never cover a
    // sibling (some other controls overlap by design, e.g. the level check boxes).
    RunUnitStartup();
    for (const ScreenEntry& entry : ScreenCatalog()) {
        SCOPED_TRACE(entry.className);
        std::unique_ptr<TCustomForm> form(entry.make(nullptr));
        std::vector<TWinControl*> parents{form.get()};
        for (size_t i = 0; i < parents.size(); ++i) {
            const auto& kids = parents[i]->ControlList();
            for (size_t a = 0; a < kids.size(); ++a) {
                if (auto* w = dynamic_cast<TWinControl*>(kids[a]))
                    parents.push_back(w);
                for (size_t b = a + 1; b < kids.size(); ++b) {
                    const TControl* x = kids[a];
                    const TControl* y = kids[b];
                    if (!x->Visible() || !y->Visible() || x->Align() == alClient || y->Align() == alClient)
                        continue;
                    if (!dynamic_cast<const TLabel*>(x) && !dynamic_cast<const TLabel*>(y))
                        continue;
                    const TRect r = x->BoundsRect(), s = y->BoundsRect();
                    const bool overlap = r.Left < s.Right && s.Left < r.Right && r.Top < s.Bottom && s.Top < r.Bottom;
                    EXPECT_FALSE(overlap) << qPrintable(x->Name()) << " and " << qPrintable(y->Name());
                }
            }
        }
    }
}
