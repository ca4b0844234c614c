#pragma once

// A group of actions that share one image list for their pictures.

#include <vector>

#include "platform/framework/Component.h"
#include "platform/framework/actions/ImageListLink.h"

class TAction;
class TImageList;

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner);
    ~TActionList() override;
    static constexpr const char* StaticClassName() { return "TActionList"; }
    const char* ClassName() const override { return StaticClassName(); }

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    // EListError for an index out of range.
    TAction* Actions(int index) const;
    int IndexOf(const TAction* action) const;

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    void SetImagesName(const QString& name) { pendingImages_ = name; }

    // Updates every action (as the idle-time refresh of a menu or toolbar does).
    void UpdateActions();

protected:
    void Loaded() override;

private:
    friend class TAction;
    void AddAction(TAction* action);
    void RemoveAction(TAction* action);

    std::vector<TAction*> actions_;
    TImageListLink images_;
    QString pendingImages_;
};
