#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QTemporaryDir>

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/edit/Edit.h"
#include "screens/dialogs/PickListForm.h"
#include "screens/dialogs/UserPicker.h"
#include "store/RightsStore.h"
#include "support/GridText.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

// The pickers on a real SQLite store: three users, two posts.
class Pickers : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        store = RightsStore::Open(StoreLocation::Parse(dir.filePath("s.db")));
        auto user = [](const char* login, const char* name) {
            return QVariantList{QString::fromUtf8(login), QString::fromUtf8(name), QVariant(), QVariant(), 1, QVariant()};
        };
        store->Save({StoreChange::Insert(TableId::User, user("zhang", "张三")),
                     StoreChange::Insert(TableId::User, user("li", "李四")),
                     StoreChange::Insert(TableId::User, user("Wang", "王五"))});
        for (const StoreRecord& r : store->Load(TableId::User))
            ids[r.values[Col::UserLogin].toString().toStdString()] = r.id;
    }
    // The dialog shown next is handed to answer, which must close it.
    template <class Dialog>
    void Answer(std::function<void(Dialog&)> answer)
    {
        Application()->SetModalHook([this, answer](TCustomForm* f) {
            auto* dialog = dynamic_cast<Dialog*>(f);
            ASSERT_NE(dialog, nullptr) << f->ClassName();
            opened.push_back(f->Caption());
            answer(*dialog);
            if (dialog->ModalResult() == mrNone) {
                ADD_FAILURE() << "the dialog was left open";
                dialog->SetModalResult(mrCancel);
            }
        });
    }

    QTemporaryDir dir;
    std::unique_ptr<RightsStore> store;
    std::map<std::string, qint64> ids;
};

TEST_F(Pickers, TheUserPickerReturnsTheTickedUsersFromTheKeyboard)
{
    const struct {
        const char* what;
        std::function<void(TPickListForm&)> answer;
        std::vector<const char*> picked; // {"-"}: cancelled
    } cases[] = {
        {"nothing ticked, Enter", [](TPickListForm& d) { SendKey(d.TavikPTGrid1, Qt::Key_Return); }, {}},
        {"Escape cancels",
         [](TPickListForm& d) {
             SendKey(d.TavikPTGrid1, Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
             SendKey(d.TavikPTGrid1, Qt::Key_Escape);
         },
         {"-"}},
        {"Space ticks, Down moves, Space twice clears",
         [](TPickListForm& d) {
             SendKey(d.TavikPTGrid1, Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
             SendKey(d.TavikPTGrid1, Qt::Key_Down);
             SendKey(d.TavikPTGrid1, Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
             SendKey(d.TavikPTGrid1, Qt::Key_Down);
             SendKey(d.TavikPTGrid1, Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
             SendKey(d.TavikPTGrid1, Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
             SendKey(d.TavikPTGrid1, Qt::Key_Return);
         },
         {"li", "Wang"}},
        {"ticks survive the filter",
         [](TPickListForm& d) {
             d.Toggle(1); // li
             d.Edit1->SetText(QStringLiteral("张"));
             EXPECT_EQ(ColTexts(*d.TavikPTGrid1, TPickListForm::FirstCol), "登录账号|zhang");
             d.Toggle(1);
             d.Edit1->SetText(QStringLiteral("WANG"));
             EXPECT_EQ(ColTexts(*d.TavikPTGrid1, TPickListForm::FirstCol), "登录账号|Wang");
             d.Edit1->SetText(QString());
             EXPECT_EQ(ColTexts(*d.TavikPTGrid1, TPickListForm::CheckCol), "选择|T|F|T");
             d.SetActiveControl(d.Edit1);
             SendKey(d.Edit1, Qt::Key_Return);
         },
         {"li", "zhang"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Answer<TPickListForm>([&](TPickListForm& d) {
            // Listed by login, the grid ready for the keyboard.
            EXPECT_EQ(ColTexts(*d.TavikPTGrid1, TPickListForm::FirstCol), "登录账号|li|Wang|zhang");
            EXPECT_EQ(d.ActiveControl(), d.TavikPTGrid1);
            c.answer(d);
        });
        const auto picked = PickUsers(*store, QStringLiteral("选择用户"));
        if (c.picked.size() == 1 && std::string(c.picked[0]) == "-") {
            EXPECT_FALSE(picked.has_value());
            continue;
        }
        ASSERT_TRUE(picked.has_value());
        std::vector<qint64> expected;
        for (const char* login : c.picked)
            expected.push_back(ids[login]);
        EXPECT_EQ(*picked, expected);
    }
    EXPECT_EQ(opened.back(), QStringLiteral("选择用户"));
}

} // namespace
