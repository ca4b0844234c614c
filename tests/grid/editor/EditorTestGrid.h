#pragma once

// A draw grid on a form for the editor tests: cell texts in a map written back
// by the editor, edit styles and limits per cell, and the events recorded.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "grid/editor/InplaceEdit.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "grid/core/GridEditing.h"

class EditorTestGrid : public TTavikCustomDrawGrid {
public:
    explicit EditorTestGrid(TComponent* owner) : TTavikCustomDrawGrid(owner)
    {
        GetEditTextHandler = TGridGetEditEvent([this](TObject*, int c, int r, QString& v) { v = texts[{c, r}]; });
        SetEditTextHandler = TGridSetEditEvent([this](TObject*, int c, int r, const QString& v) {
            texts[{c, r}] = v;
            log.push_back("set " + std::to_string(c) + "," + std::to_string(r) + "=" + v.toStdString());
        });
        OnQueryEditStyle = TGridQueryEditStyleEvent([this](TObject*, int c, int, TEditStyle& s) {
            if (auto it = styles.find(c); it != styles.end())
                s = it->second;
        });
        OnEditorModeChanged = TNotifyEvent([this](TObject*) { log.push_back(EditorMode() ? "mode on" : "mode off"); });
        OnEditButtonClick = TGridCellEvent(
            [this](TObject*, int c, int r) { log.push_back("button " + std::to_string(c) + "," + std::to_string(r)); });
        OnGetDropDownList = TGridGetDropDownListEvent([this](TObject*, int, int, QStringList& items, int& rows) {
            items = list;
            if (listRows > 0)
                rows = listRows;
        });
    }
    int GetEditLimit() override { return limit; }

    TInplaceEdit* Editor() const { return Editing().Editor(); }
    QString& Text(int c, int r) { return texts[{c, r}]; }

    std::map<std::pair<int, int>, QString> texts;
    std::map<int, TEditStyle> styles;
    QStringList list;
    int listRows = 0;
    int limit = 0;
    std::vector<std::string> log;
};

// A form holding the grid with the focus, as a screen would.
struct EditorFixtureBase {
    EditorFixtureBase()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 500, 300);
        grid = new EditorTestGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 400, 200);
        grid->SetColCount(6);
        grid->SetRowCount(20);
        grid->SetOptionExs(0);
        form->SetActiveControl(grid);
    }
    std::unique_ptr<TForm> form;
    EditorTestGrid* grid;
};
