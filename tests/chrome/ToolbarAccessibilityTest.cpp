#include <memory>

#include <gtest/gtest.h>

#include <QAccessibleActionInterface>

#include "QtPrinters.h"
#include "chrome/themes/SkinThemeStartup.h"
#include "chrome/toolbars/SkinItem.h"
#include "chrome/toolbars/SkinSeparatorItem.h"
#include "chrome/toolbars/SkinToolbar.h"
#include "chrome/toolbars/ToolbarAccessibility.h"
#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/framework/Form.h"
#include "support/Accessibility.h"

namespace {

TEST(ToolbarAccessibility, ShortcutsReadAsTheUserTypesThem)
{
    struct Case {
        int shortCut;
        const char* text;
    };
    const Case cases[] = {
        {0, ""},
        {'S' | 0x4000, "Ctrl+S"},
        {'S' | 0x4000 | 0x2000, "Ctrl+Shift+S"},
        {'7' | 0x8000, "Alt+7"},
        {0x70, "F1"},
        {0x7B | 0x2000, "Shift+F12"},
        {0x2E, "Del"},
        {0x41 | 0x10000, "A"},
        {0x20 | 0x4000, ""}, // a key without a name
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortCutText(c.shortCut), QString::fromLatin1(c.text)) << c.shortCut;

    const char* captions[][3] = {
        {"保存(&S)", "保存(S)", "Alt+S"}, {"&&Plain", "&Plain", ""}, {"&u&&", "u&", "Alt+U"}, {"End&", "End", ""}};
    for (const auto& c : captions) {
        EXPECT_EQ(AccessibleName(QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
        EXPECT_EQ(AccessibleShortcut(QString::fromUtf8(c[0])), QString::fromUtf8(c[2])) << c[0];
    }
}

TEST(ToolbarAccessibility, ButtonsReportNameShortcutStatesAndPress)
{
    InitSkinThemes();
    InstallAccessibility();
    RegisterToolbarAccessibility();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 200);
    auto* bar = new TSkinToolbar(form.get());
    bar->SetParent(form.get());
    auto add = [&](const QString& caption, const QString& hint) {
        auto* item = new TSkinItem(form.get());
        item->SetParent(bar);
        item->SetCaption(caption);
        item->SetHint(hint);
        return item;
    };
    TSkinItem* save = add(QStringLiteral("保存(&S)"), QString());
    (new TSkinSeparatorItem(form.get()))->SetParent(bar);
    TSkinItem* hinted = add(QString(), QStringLiteral("刷新|重新读取"));
    hinted->SetShortCut('R' | 0x4000);
    hinted->SetChecked(true);
    TSkinItem* off = add(QStringLiteral("退出"), QString());
    off->SetEnabled(false);
    form->Show();

    QAccessibleInterface* b = a11y::Of(bar);
    ASSERT_EQ(b->role(), QAccessible::ToolBar);
    ASSERT_EQ(b->childCount(), 4);
    EXPECT_EQ(b->child(1)->role(), QAccessible::Separator);
    struct Case {
        TSkinItem* item;
        const char* name;
        const char* shortcut;
        const char* states;
    };
    const Case cases[] = {
        {save, "保存(S)", "Alt+S", ""},
        {hinted, "刷新", "Ctrl+R", "checkable checked"},
        {off, "退出", "", "disabled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* i = a11y::Of(c.item);
        EXPECT_EQ(i->role(), QAccessible::Button);
        EXPECT_EQ(i->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(i->text(QAccessible::Accelerator), QString::fromUtf8(c.shortcut));
        EXPECT_EQ(a11y::States(i), c.states);
    }
    int clicks = 0;
    save->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    off->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    a11y::Of(save)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    a11y::Of(off)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(a11y::Of(save)->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QStringLiteral("Alt+S")});
}

} // namespace
