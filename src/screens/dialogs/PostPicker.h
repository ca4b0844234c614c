#pragma once

// Picks posts as the organisation holds them, several at once: the units as a
// tree, each with its posts (its post units that stand for a dictionary post,
// and the dictionary posts attached to it). A pick is a post in a unit.

#include <optional>
#include <vector>

#include <QString>

#include "screens/ScreenForm.h"
#include "store/StoreRecord.h"

class TTavikPTGrid;

struct PostPick {
    qint64 post = 0; // a record of the post dictionary
    qint64 unit = 0; // the unit that holds it
    bool operator==(const PostPick&) const = default;
};

class TPostPickerForm : public TScreenForm {
public:
    explicit TPostPickerForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TPostPickerForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    // Shows the organisation of the records, nothing ticked.
    void SetContent(const std::vector<StoreRecord>& units, const std::vector<StoreRecord>& posts,
                    const std::vector<StoreRecord>& unitPosts);
    // The ticked posts in tree order.
    std::vector<PostPick> Picked();
    // Ticks or clears the post of a grid row; unit rows are left alone.
    void Toggle(int row);

    enum { NameCol = 1, CheckCol, CodeCol, LevelCol };

    TTavikPTGrid* TavikPTGrid1 = nullptr;

private:
    std::vector<PostPick> picks_; // by a post row's data - 1
};

// Shows the picker; std::nullopt when it was cancelled.
std::optional<std::vector<PostPick>> PickPosts(const std::vector<StoreRecord>& units,
                                               const std::vector<StoreRecord>& posts,
                                               const std::vector<StoreRecord>& unitPosts, const QString& caption);

// Picks entries of the post dictionary in the list dialog, ordered by code;
// std::nullopt when it was cancelled.
std::optional<std::vector<qint64>> PickDictionaryPosts(const std::vector<StoreRecord>& posts, const QString& caption);
