#pragma once

// Custom drop-down editors for the grid's esCustom cells. The factory keeps a
// list of editors (not owned) and hands out the first that accepts a cell.

#include <vector>

#include <QString>

class TControl;
class TInplaceEdit;
class TTavikCustomGrid;

// A custom editor: decides which cells it serves, supplies the control that
// drops down, is prepared before each drop-down and gives its value at close.
class TGridCustomEditor {
public:
    virtual ~TGridCustomEditor() = default;
    virtual bool Accepts(int col, int row) = 0;
    virtual void Attach(TInplaceEdit* editor) {}
    virtual TControl* PopupControl() = 0;
    virtual void Prepare(int col, int row) {}
    virtual void GetValue(QString& text) = 0;
};

class TGridEditorFactory {
public:
    explicit TGridEditorFactory(TTavikCustomGrid* grid) : grid_(grid) {}

    TTavikCustomGrid* Grid() const { return grid_; }
    // The first registered editor that accepts the cell, or null.
    TGridCustomEditor* GetEditor(int col, int row) const;
    void Register(TGridCustomEditor* editor);
    void Unregister(TGridCustomEditor* editor);
    int Count() const { return static_cast<int>(editors_.size()); }

private:
    TTavikCustomGrid* grid_;
    std::vector<TGridCustomEditor*> editors_;
};
