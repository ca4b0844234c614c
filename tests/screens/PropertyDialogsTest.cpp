#include <gtest/gtest.h>

#include <QWidget>

#include "QtPrinters.h"
#include "app/Startup.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "platform/framework/Application.h"
#include "platform/controls/edit/Edit.h"
#include "screens/DepartPropForm.h"
#include "screens/RolePropForm.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

using PropertyDialogsTest = ScreenTest;

TRect BoundsOf(TCustomForm& form, const char* name)
{
    auto* c = form.Find<TControl>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c ? c->BoundsRect() : TRect{};
}

// Shows the dialog, focuses the named edit, presses the key there and returns the result.
int KeyInEdit(TCustomForm& dialog, const char* edit, int key)
{
    Application()->SetModalHook([&](TCustomForm* f) {
        auto* e = f->Find<TEdit>(QString::fromLatin1(edit));
        ASSERT_NE(e, nullptr);
        e->SetFocus();
        SendKey(e->Widget(), key);
        if (f->ModalResult() == mrNone)
            f->SetModalResult(mrAbort); // the key did nothing: leave the loop anyway
    });
    return dialog.ShowModal();
}

} // namespace

TEST_F(PropertyDialogsTest, DepartmentDialogSwitchesBetweenShortAndFullForm)
{
    TDepartPropForm dialog(nullptr);
    ASSERT_NE(dialog.SkinCheckBox1, nullptr);
    EXPECT_EQ(dialog.ClientHeight(), 130);
    EXPECT_EQ(dialog.ClientWidth(), 563);
    EXPECT_FALSE(dialog.pnlPost->Visible());
    EXPECT_FALSE(dialog.pnlUser->Visible());
    // The bottom bar overlaps the header's last three pixels in the short form.
    EXPECT_EQ(BoundsOf(dialog, "GradientPanel1"), (TRect{0, 94, 563, 130}));
    EXPECT_EQ(BoundsOf(dialog, "GradientPanel4"), (TRect{0, 0, 563, 97}));

    dialog.SkinCheckBox1->SetChecked(true);
    EXPECT_EQ(dialog.ClientHeight(), 374);
    EXPECT_TRUE(dialog.pnlPost->Visible());
    EXPECT_TRUE(dialog.pnlUser->Visible());
    EXPECT_EQ(BoundsOf(dialog, "pnlPost"), (TRect{0, 97, 241, 338}));
    EXPECT_EQ(BoundsOf(dialog, "Splitter1"), (TRect{241, 97, 244, 338}));
    EXPECT_EQ(BoundsOf(dialog, "pnlUser"), (TRect{244, 97, 563, 338}));
    EXPECT_EQ(BoundsOf(dialog, "GradientPanel1"), (TRect{0, 338, 563, 374}));

    dialog.SkinCheckBox1->SetChecked(false);
    EXPECT_EQ(dialog.ClientHeight(), 130);
    EXPECT_FALSE(dialog.pnlPost->Visible());
    EXPECT_EQ(dialog.ClientWidth(), 563);
}

TEST_F(PropertyDialogsTest, EnterClosesWithOkAndEscapeWithCancel)
{
    {
        TDepartPropForm dialog(nullptr);
        EXPECT_EQ(KeyInEdit(dialog, "Edit3", Qt::Key_Return), mrOk);
    }
    {
        TDepartPropForm dialog(nullptr);
        EXPECT_EQ(KeyInEdit(dialog, "Edit4", Qt::Key_Escape), mrCancel);
    }
    {
        TRolePropForm dialog(nullptr);
        EXPECT_EQ(KeyInEdit(dialog, "Edit4", Qt::Key_Return), mrOk);
    }
    {
        TRolePropForm dialog(nullptr);
        EXPECT_EQ(KeyInEdit(dialog, "Edit3", Qt::Key_Escape), mrCancel);
    }
}

TEST_F(PropertyDialogsTest, DialogsShowTheirStoredTextsEveryTime)
{
    for (int i = 0; i < 2; ++i) {
        TRolePropForm dialog(nullptr);
        auto* path = dialog.Find<TEdit>("Edit4");
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(path->Text(), "董事会\\总经理办公室\\全资子公司\\土木公司");
        EXPECT_EQ(path->BoundsRect(), (TRect{76, 39, 419, 57}));
        EXPECT_EQ(BoundsOf(dialog, "Label4"), (TRect{16, 49, 46, 61}));
        path->SetText("changed");
    }
    TDepartPropForm depart(nullptr);
    EXPECT_EQ(depart.Find<TEdit>("Edit3")->Text(), "土木公司");
    EXPECT_EQ(depart.Find<TEdit>("Edit4")->Text(), "T.TM");
}
