#pragma once

// The rights screen's content in live mode: the organisation tree chooses the
// unit or post whose rights the five pages show; each page keeps its part of
// one working copy, so that what is changed for one holder stays while
// another is shown, and one save writes it all.

#include <map>
#include <memory>

#include "screens/live/LiveContent.h"
#include "screens/rights/RightsClipboard.h"
#include "screens/rights/RightsWork.h"

class RightsAdminPage;
class RightsFunctionPage;
class RightsRelationPage;
class RightsResourcePage;
class TFlatPageControl;
class TForm;
class TTreeNode;
class TTreeView;

class LiveRights : public LiveContent {
public:
    // Binds the rights screen's controls by name.
    explicit LiveRights(TForm& form);
    ~LiveRights() override;

    void Read(RightsStore& store) override;
    void Show() override;
    void EndEdit() override;
    QString Problem() override;
    std::vector<StoreChange> Changes() override;

    // The tree's selection changed: show that unit's rights.
    void NodeSelected(TTreeNode* node);
    TTreeNode* NodeOf(qint64 unit) const;
    TTreeNode* NodeNamed(const QString& text) const;
    // The unit or post whose rights are shown, 0 for none.
    qint64 Holder() const { return holder_; }
    QString HolderName(qint64 holder) const;
    // Every page's edits into the working copy.
    void Harvest();
    // Shows the holder's content again on every page.
    void ShowPages();

    RightsWork& Work() { return work_; }
    RightsClipboard& Clipboard() { return clipboard_; }
    RightsAdminPage& Admins() { return *admins_; }
    RightsRelationPage& Subordination() { return *subordination_; }
    RightsRelationPage& Trust() { return *trust_; }
    RightsFunctionPage& Functions() { return *functions_; }
    RightsResourcePage& Resources() { return *resources_; }
    TTreeView& Tree() { return tree_; }

    // The pages in the page control's order.
    enum { AdminPage, SubordinationPage, TrustPage, FunctionPage, ResourcePage };

private:
    void FillTree();

    TTreeView& tree_;
    TFlatPageControl& pages_;
    RightsWork work_;
    RightsClipboard clipboard_;
    std::unique_ptr<RightsAdminPage> admins_;
    std::unique_ptr<RightsRelationPage> subordination_;
    std::unique_ptr<RightsRelationPage> trust_;
    std::unique_ptr<RightsFunctionPage> functions_;
    std::unique_ptr<RightsResourcePage> resources_;
    std::map<TTreeNode*, qint64> nodes_;
    qint64 holder_ = 0;
    bool filling_ = false;
};
