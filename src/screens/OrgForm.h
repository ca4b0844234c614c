#pragma once

// The organisation structure, as a chart or as a tree, and the commands that
// open the department and role dialogs.

#include <functional>
#include <memory>
#include <optional>

#include "screens/ScreenForm.h"

class ChartExportMenu;
class LiveEditor;
class LiveOrganisation;
class TDepartPropForm;
class TFlatTabSheet;
class TOrgChart;
class TOcNode;
class TTreeView;

class TOrgForm : public TScreenForm {
public:
    explicit TOrgForm(TComponent* owner);
    ~TOrgForm() override;
    static constexpr const char* StaticClassName() { return "TOrgForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    TFlatTabSheet* tsPic = nullptr;
    TFlatTabSheet* tsText = nullptr;
    TTreeView* TreeView1 = nullptr;
    TOrgChart* org = nullptr;

    void FormCreate(TObject* sender);
    void SkinRadioButton1Change(TObject* sender);
    void SkinRadioButton2Change(TObject* sender);
    void acAddOrgExecute(TObject* sender);
    void acAddDepartExecute(TObject* sender);
    void acAddChildDepartExecute(TObject* sender);
    void acAddRoleExecute(TObject* sender);
    void acAddUserExecute(TObject* sender);
    void acRenameExecute(TObject* sender);
    void acPropExecute(TObject* sender);
    // The dialog for a chart node of the given picture: 0 or 1 (company,
    // department) the department dialog, 2 (post) the role dialog, anything
    // else, -1 included, the message "不使能".
    void OpenProperties(int imageIndex);
    // Opens every node of levels 0 to 3 below and including node (depth first,
    // not recursive expands): the chart shows levels 0 to 4.
    static void ExpandTopLevels(TOcNode* node);

    // The live editor, or nullptr showing the designed content.
    LiveEditor* Live() const { return live_.get(); }
    LiveOrganisation* Organisation() const { return organisation_.get(); }
    // The chart's context menu; live only.
    ChartExportMenu* ChartMenu() const { return chartMenu_.get(); }

private:
    // Live: adds a unit of kind under parent (top level for none) through the
    // department dialog.
    void AddUnit(TOcNode* parent, int kind);
    // Live: edits the selected unit in the dialog its kind calls for.
    void EditUnit(TOcNode* node);
    void DeleteUnit();
    // Live: the role dialog for a unit: its name, path and users.
    void EditInRoleDialog(TOcNode* node);
    // Live: the department dialog's full form for a unit: its name, code,
    // attached posts and users.
    void AttachPosts(TOcNode* node);
    // Live: shows a unit's name and code in the department dialog and takes
    // them back after 确定; false when it was cancelled.
    bool AskUnit(TDepartPropForm& dialog, QVariantList& values, const TOcNode* node);

    // The picture of the chart's selected node; none while no node is selected.
    std::optional<int> SelectedNodeImage() const;

    // Constructs the dialog without owner, lets adjust change it, shows it
    // modally and frees it whatever happens. The result is ignored.
    template <class T>
    void OpenDialog(const std::function<void(T&)>& adjust = {})
    {
        std::unique_ptr<T> dialog(new T(nullptr));
        if (adjust)
            adjust(*dialog);
        dialog->ShowModal();
    }

    std::unique_ptr<LiveOrganisation> organisation_;
    std::unique_ptr<LiveEditor> live_;
    std::unique_ptr<ChartExportMenu> chartMenu_;
};
