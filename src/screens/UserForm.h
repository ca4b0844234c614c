#pragma once

// User accounts: the organisation tree on the left, the users and their posts
// on the right. The user grid's password and signature columns act as links.

#include <memory>

#include "platform/framework/Control.h"
#include "screens/ScreenForm.h"

class LiveEditor;
class RightsStore;
class LiveUsers;
class TTreeView;
class TTavikPTGrid;

class TUserForm : public TScreenForm {
public:
    explicit TUserForm(TComponent* owner);
    ~TUserForm() override;
    static constexpr const char* StaticClassName() { return "TUserForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    TTreeView* TreeView1 = nullptr;
    TTavikPTGrid* TavikPTGrid1 = nullptr;
    TTavikPTGrid* TavikPTGrid2 = nullptr;

    void FormCreate(TObject* sender);
    void TavikPTGrid1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void TavikPTGrid1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    // The live editor and content, or nullptr showing the designed content.
    LiveEditor* Live() const { return live_.get(); }
    LiveUsers* Users() const { return users_.get(); }
    // Live: asks for a new password for the user of a grid row.
    void ChangePassword(int row);
    // Live: the signature dialog for the user of a grid row.
    void ChangeSignature(int row);

    static constexpr const char* PasswordMessage = "弹出密码设置窗体，包括密码和确认密码两个输入。";
    static constexpr const char* SignatureMessage = "弹出签名图片设置。";

private:
    // The head text of the column under the point when that column is a link
    // column ("密码" or "签名"), else empty. The row does not matter.
    QString LinkColumnHead(int x, int y);
    void StartLive(RightsStore& store);
    void DeleteSelected();
    // Live: the post picker's posts go to the current user.
    void SelectPosts();

    std::unique_ptr<LiveUsers> users_;
    std::unique_ptr<LiveEditor> live_;
};
