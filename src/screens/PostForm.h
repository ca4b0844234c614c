#pragma once

// The dictionary of posts: one grid under a toolbar. With a live store it
// shows and edits the store's posts; without one, its designed content.

#include <memory>

#include "screens/ScreenForm.h"

class LiveEditor;
class LivePosts;

class TPostForm : public TScreenForm {
public:
    explicit TPostForm(TComponent* owner);
    ~TPostForm() override;
    static constexpr const char* StaticClassName() { return "TPostForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    void FormCreate(TObject* sender);
    // The live editor, or nullptr showing the designed content.
    LiveEditor* Live() const { return live_.get(); }

private:
    void AddPost();
    void DeletePosts();

    std::unique_ptr<LivePosts> posts_;
    std::unique_ptr<LiveEditor> live_;
};
