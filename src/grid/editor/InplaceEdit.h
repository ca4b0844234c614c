#pragma once

// The grid's in-place editor: one masked edit per grid, laid over the current
// cell. Besides text it carries a button at its right edge (every style but
// esSimple) and drops down a list, a colour list, a calendar, a tree, a custom
// control from the editor factory, or shows a spinner. The grid owns it; it
// owns its popups, so none outlives the grid.
//
// Split by concern: InplaceEdit.cpp (loading, placing, styles),
// InplaceEditKeys.cpp (keys), InplaceEditButton.cpp (button tracking and
// painting), InplaceEditDropDown.cpp (drop-down and close-up).

#include <memory>

#include "grid/layout/EditTypes.h"
#include "platform/controls/edit/MaskEdit.h"

class TTavikCustomGrid;
class IGridEditorHost;
class TCustomPopupListBox;
class TPopupMonthCalendar;
class TPopupTreeView;
class TPopupUpDown;
class TAutoCompleteControl;
class TGridCustomEditor;
class TPopupWatcher;

class TInplaceEdit : public TCustomMaskEdit {
public:
    // The text of the colour list's last item.
    static const QString MoreColorsText;

    explicit TInplaceEdit(TComponent* owner);
    ~TInplaceEdit() override;
    const char* ClassName() const override { return "TInplaceEdit"; }

    TTavikCustomGrid* Grid() const { return grid_; }
    // Sets the grid, and its side for the editor's questions, and makes the
    // grid the parent and the focus owner.
    void SetGrid(TTavikCustomGrid* grid, IGridEditorHost* host);

    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int v);
    TEditStyle EditStyle() const { return editStyle_; }
    virtual void SetEditStyle(TEditStyle style);
    TCustomPopupListBox* ListBox() const { return listBox_.get(); }
    TControl* ActivePopup() const { return activePopup_; }
    bool ListVisible() const { return listVisible_; }
    bool Tracking() const { return tracking_; }
    bool ButtonPressed() const { return buttonPressed_; }
    // The pointer is over the editor (the themed look's hot state; not tracked
    // by the window layer here, so always false).
    bool MouseInControl() const { return mouseInControl_; }
    TPopupMonthCalendar* Calendar() const { return calendar_.get(); }
    TPopupTreeView* TreeView() const { return treeView_.get(); }
    TGridCustomEditor* CustomEditor() const { return customEditor_; }
    TPopupUpDown* UpDown() const { return upDown_.get(); }
    TAutoCompleteControl* AutoComplete() const { return autoComplete_.get(); }
    // The editor window's text alignment, scroll bars and wrapping.
    TAlignment EditAlignment() const { return Alignment(); }
    void SetEditAlignment(TAlignment v) { SetAlignment(v); }
    TEditScrollBars EditScrollBars() const { return ScrollBars(); }
    void SetEditScrollBars(TEditScrollBars v) { SetScrollBars(v); }
    bool EditWordWrap() const { return WordWrap(); }
    void SetEditWordWrap(bool v) { SetWordWrap(v); }
    // The length limit the cell gave (-1: the cell cannot be modified).
    int EditLimit() const { return editLimit_; }

    // --- virtual operations, in slot order ---
    // Sets the text formatting rectangle after a move.
    void BoundsChanged() override;
    // Loads the current cell: style, look, mask, text and limit.
    virtual void UpdateContents();

    // Places the editor over rect (grid client coordinates); an empty rect hides it.
    void Move(const TRect& rect, bool forceRedraw);
    // Hides the window; the grid takes the focus when the editor had it.
    void HideWindow();
    void DropDown();
    void CloseUp(bool accept);
    // Shows the spinner over the button area and takes the position from the text.
    void PlaceUpDown();
    // The button area in client coordinates (empty for esSimple).
    TRect ButtonRect() const;
    // Enter with Alt or Ctrl inserts a line break.
    bool MultiLineAllowed() const;
    bool CanModify() const override;
    // A cancel-mode request: stops tracking; closes the popup unless it came from it.
    void CancelMode(bool fromOwnWindows);

    // Input (public so the grid and the tests can drive it).
    void WndProc(TMessage& message) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int delta, TPoint pos) override;
    void FocusLeft() override;

    // A press soon after the grid's own press (which opened the editor) is a double click.
    bool PressMakesDoubleClick() override;

    // Called by the popups.
    void PopupReleased(bool accept) { CloseUp(accept); }
    // The list's style and item height for the current cell.
    void QueryListStyle(TListBoxStyle& style, int& itemHeight);

protected:
    void Change() override;
    void DblClick() override;
    void PaintOverlay(TCanvas& canvas, const TRect& rect) override;

private:
    void UpdateOverlay();
    void SetButtonPressed(bool pressed);
    void StopTracking();
    void SendKeyToPopup(Word key, TShiftState shift, QChar ch);
    void DrawEllipsisButton(TCanvas& canvas, const TRect& r);
    void DrawDropDownButton(TCanvas& canvas, const TRect& r);
    void UpDownStep();

    TTavikCustomGrid* grid_ = nullptr;
    IGridEditorHost* host_ = nullptr;
    int buttonWidth_ = 17;
    std::unique_ptr<TCustomPopupListBox> listBox_;
    TControl* activePopup_ = nullptr;
    TEditStyle editStyle_ = esSimple;
    bool listVisible_ = false;
    bool tracking_ = false;
    bool buttonPressed_ = false;
    bool mouseInControl_ = false;
    // The press on the button went on into the open list.
    bool pressHandedToPopup_ = false;
    std::unique_ptr<TPopupMonthCalendar> calendar_;
    std::unique_ptr<TPopupTreeView> treeView_;
    TGridCustomEditor* customEditor_ = nullptr;
    std::unique_ptr<TPopupUpDown> upDown_;
    std::unique_ptr<TAutoCompleteControl> autoComplete_;
    std::unique_ptr<TPopupWatcher> watcher_;
    int editLimit_ = 0;
    bool loading_ = false;
    bool hasStyle_ = false;
};
