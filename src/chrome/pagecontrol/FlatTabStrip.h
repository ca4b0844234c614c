#pragma once

// The flat page control's tab strip: the pages that show a tab, the text each
// tab is measured by, the selected tab, the spacer that widens every tab and
// the layout made from them. It keeps the sheets only to hand them back; it
// neither reads nor changes them.

#include <vector>

#include <QString>

#include "chrome/pagecontrol/FlatTabLayout.h"
#include "chrome/pagecontrol/TabMargin.h"

class TFlatTabSheet;
class TFont;

class TFlatTabStrip {
public:
    int Count() const { return static_cast<int>(sheets_.size()); }
    // The sheet of a tab; nullptr for an index out of range.
    TFlatTabSheet* Sheet(int tab) const;
    // The text a tab is measured by; empty for an index out of range.
    QString Text(int tab) const;
    void SetText(int tab, const QString& text);

    // The selected tab, -1 when none.
    int Selected() const { return selected_; }
    // An index out of range selects no tab.
    void Select(int tab);

    // Adds a tab at the index; the selected tab stays selected, and the first
    // tab of an empty strip becomes selected.
    void Insert(int tab, TFlatTabSheet* sheet, const QString& text);
    // Removes a tab; when it was selected, the tab that takes its place is, or
    // the last one.
    void Remove(int tab);
    // Moves a tab with its text; the selection stays with its tab.
    void Move(int from, int to);

    // The picture size every tab is widened by, in the control's x and y.
    int SpacerWidth() const { return spacerWidth_; }
    int SpacerHeight() const { return spacerHeight_; }
    // The spacer from the image size and the margins.
    void ComputeSpacer(int imageWidth, int imageHeight, const TTabMargin& margin, TTabPosition position);
    // A changed margin replaces its old contribution to the spacer.
    void MarginChanged(int newValue, int oldValue, TTabMargin::Which which, TTabPosition position);

    // Lays the tabs out from their texts measured in font; in carries
    // everything but the texts' sizes. True when the page area moved.
    bool Calculate(const TFont& font, TFlatTabLayout::Input in);
    const TFlatTabLayout& Layout() const { return layout_; }

private:
    std::vector<TFlatTabSheet*> sheets_;  // in page order
    std::vector<QString> texts_;
    int selected_ = -1;
    int spacerWidth_ = 1;
    int spacerHeight_ = 1;
    TFlatTabLayout layout_;
};
