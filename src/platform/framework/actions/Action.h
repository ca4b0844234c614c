#pragma once

// A command that menus and toolbar buttons share: its caption, picture, state
// and the handler that runs it. Objects bound to the action through a link
// follow every later change.

#include <vector>

#include <QString>

#include "platform/framework/Component.h"

class TActionList;
class TActionLink;

class TAction : public TComponent {
public:
    explicit TAction(TComponent* owner);
    ~TAction() override;
    static constexpr const char* StaticClassName() { return "TAction"; }
    const char* ClassName() const override { return StaticClassName(); }

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    const QString& Hint() const { return hint_; }
    void SetHint(const QString& v);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int v);
    // An action without an execute handler disables itself when it is updated.
    bool DisableIfNoHandler() const { return disableIfNoHandler_; }
    void SetDisableIfNoHandler(bool v) { disableIfNoHandler_ = v; }

    TActionList* ActionList() const { return actionList_; }
    void SetActionList(TActionList* list);
    // A list named in a stored definition that is read later; found in Loaded.
    void SetActionListName(const QString& name) { pendingList_ = name; }
    int Index() const;

    // Runs the execute handler of an enabled action; false when nothing ran.
    bool Execute();
    // Brings Enabled up to date: OnUpdate when assigned, otherwise the
    // no-handler rule. True when OnUpdate handled it.
    bool Update();

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    void Loaded() override;

private:
    friend class TActionLink;
    void AddLink(TActionLink* link);
    void RemoveLink(TActionLink* link);
    void Changed();

    QString caption_;
    QString hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool disableIfNoHandler_ = true;
    int helpContext_ = 0;
    int imageIndex_ = -1;
    int shortCut_ = 0;
    TActionList* actionList_ = nullptr;
    QString pendingList_;
    std::vector<TActionLink*> links_;
};
