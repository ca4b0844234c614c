#pragma once

// The commands every grid of a live screen offers: 复制 and 粘贴 (also Ctrl+C,
// Ctrl+V and their Insert forms, which reach the screen as the grid's edit
// messages), 导出 CSV… and 打印…. The menu opens on the right mouse button,
// the menu key and Shift+F10. Handlers the screen gave the grid before stay
// in place and run first. Failures are reported, never thrown.

#include "grid/core/TavikCustomGrid.h"
#include "platform/framework/Component.h"

class TCustomForm;
class TPopupMenu;
class TTavikPTGrid;

class GridCommandMenu : public TComponent {
public:
    enum Command { Copy, Paste, ExportCsv, Print };

    // Belongs to the form; hooks itself into the grid's events.
    GridCommandMenu(TCustomForm& form, TTavikPTGrid& grid);
    ~GridCommandMenu() override;
    const char* ClassName() const override { return "GridCommandMenu"; }

    TPopupMenu& Menu() { return *menu_; }
    TTavikPTGrid& Grid() { return grid_; }
    void Run(Command command);
    // Opens the menu at a point of the grid.
    void Popup(int x, int y);

protected:
    void Notification(TComponent* component, bool removing) override;

private:
    void CopyCells();
    void PasteCells();
    void ExportCsvFile();
    void PrintGrid();
    void Report(const QString& message, unsigned flags);

    TCustomForm& form_;
    TTavikPTGrid& grid_;
    // The form may free its grids before the components it owns.
    bool gridAlive_ = true;
    TPopupMenu* menu_;
    TGridMessageEvent previousMessage_;
    TMouseEvent previousMouseUp_;
    TKeyEvent previousKeyDown_;
};

// Gives every PT grid of the form the commands; called by the live screens
// once their content is shown.
void AttachGridCommandMenus(TCustomForm& form);
