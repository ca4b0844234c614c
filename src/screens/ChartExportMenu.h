#pragma once

// The organisation chart's context menu in live mode: the whole chart to a
// picture, a PDF or SVG drawing, or a printer. It opens on the right mouse
// button, the menu key and Shift+F10; failures are reported, never thrown.

#include <QString>

class TCustomOrgChart;
class TPopupMenu;
class TWinControl;

class ChartExportMenu {
public:
    enum Command { Picture, Pdf, Svg, Print };

    // The menu belongs to owner's components.
    ChartExportMenu(TWinControl& owner, TCustomOrgChart& chart);

    TPopupMenu& Menu() { return *menu_; }
    // Asks for the file (or printer) and writes the chart there.
    void Run(Command command);

private:
    void Popup(int x, int y);
    void Report(const QString& message);

    TWinControl& owner_;
    TCustomOrgChart& chart_;
    TPopupMenu* menu_;
};
