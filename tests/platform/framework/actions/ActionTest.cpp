#include <memory>

#include <gtest/gtest.h>

#include "platform/framework/actions/Action.h"
#include "platform/framework/actions/ActionLink.h"
#include "platform/framework/actions/ActionList.h"
#include "platform/framework/Form.h"
#include "platform/framework/actions/ImageList.h"

namespace {

// A client that records what the link hands it.
struct Client : TActionClient {
    void ActionChanged(const TAction& a) override
    {
        ++changes;
        caption = a.Caption();
        enabled = a.Enabled();
        image = a.ImageIndex();
    }
    void ActionDestroyed() override { lost = true; }
    int changes = 0;
    QString caption;
    bool enabled = true;
    int image = -1;
    bool lost = false;
};

class Actions : public ::testing::Test {
protected:
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TActionList* list = new TActionList(form.get());
    TAction* action = new TAction(form.get());
};

} // namespace

TEST_F(Actions, ALinkCopiesTheActionAndFollowsItsChanges)
{
    action->SetCaption(QStringLiteral("保存"));
    action->SetImageIndex(2);
    Client client;
    TActionLink link(&client);
    link.SetAction(action);
    EXPECT_EQ(client.caption, QStringLiteral("保存"));
    EXPECT_EQ(client.image, 2);

    const int before = client.changes;
    action->SetCaption(QStringLiteral("保存")); // unchanged: no notice
    EXPECT_EQ(client.changes, before);
    action->SetEnabled(false);
    EXPECT_FALSE(client.enabled);

    link.SetAction(nullptr);
    action->SetCaption(QStringLiteral("退出"));
    EXPECT_EQ(client.caption, QStringLiteral("保存"));
}

TEST_F(Actions, AFreedActionLeavesItsClientsWithWhatTheyShowed)
{
    action->SetCaption(QStringLiteral("删除"));
    Client client;
    TActionLink link(&client);
    link.SetAction(action);
    delete action;
    EXPECT_TRUE(client.lost);
    EXPECT_EQ(link.Action(), nullptr);
    EXPECT_EQ(client.caption, QStringLiteral("删除"));
    EXPECT_FALSE(link.Execute());
}

TEST_F(Actions, UpdateDisablesAnActionWithoutHandlerAndExecuteRunsOnlyEnabledOnes)
{
    EXPECT_FALSE(action->Update());
    EXPECT_FALSE(action->Enabled());
    EXPECT_FALSE(action->Execute());

    int runs = 0;
    action->OnExecute = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, action);
        ++runs;
    });
    action->Update();
    EXPECT_TRUE(action->Enabled());
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(runs, 1);

    // An OnUpdate handler decides instead of the rule.
    action->OnUpdate = TNotifyEvent([&](TObject*) { action->SetEnabled(false); });
    EXPECT_TRUE(action->Update());
    EXPECT_FALSE(action->Execute());
    EXPECT_EQ(runs, 1);

    TAction keep(nullptr);
    keep.SetDisableIfNoHandler(false);
    keep.Update();
    EXPECT_TRUE(keep.Enabled());
}

TEST_F(Actions, ListsKnowTheirActionsAndLetGoOfThem)
{
    auto* second = new TAction(form.get());
    action->SetActionList(list);
    second->SetActionList(list);
    EXPECT_EQ(list->ActionCount(), 2);
    EXPECT_EQ(second->Index(), 1);
    EXPECT_THROW(list->Actions(2), EListError);
    delete action;
    EXPECT_EQ(list->ActionCount(), 1);
    EXPECT_EQ(list->Actions(0), second);

    list->UpdateActions();
    EXPECT_FALSE(second->Enabled());

    delete list;
    EXPECT_EQ(second->ActionList(), nullptr);
}

TEST_F(Actions, NamesReadBeforeTheirComponentsAreFoundWhenLoadingEnds)
{
    list->SetName(QStringLiteral("aclFuncs"));
    auto* images = new TImageList(form.get());
    images->SetName(QStringLiteral("imlFuncs"));
    action->BeginLoading();
    action->SetActionListName(QStringLiteral("ACLFUNCS"));
    action->EndLoading();
    EXPECT_EQ(action->ActionList(), list);

    list->BeginLoading();
    list->SetImagesName(QStringLiteral("imlFuncs"));
    list->EndLoading();
    EXPECT_EQ(list->Images(), images);
    delete images;
    EXPECT_EQ(list->Images(), nullptr);

    auto* stray = new TAction(form.get());
    stray->SetName(QStringLiteral("acStray"));
    stray->BeginLoading();
    stray->SetActionListName(QStringLiteral("nowhere"));
    try {
        stray->EndLoading();
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "acStray.ActionList: no action list named 'nowhere'");
    }
}
