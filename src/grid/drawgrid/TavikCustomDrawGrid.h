#pragma once

// The grid as a usable component: publishes the core's properties and events,
// adds the owner-draw event OnDrawCell and the query events for selecting,
// dragging and sizing. It draws nothing of its own; descendants draw content.

#include <QString>

#include "grid/core/TavikCustomGrid.h"

using TGridMovedEvent = TEvent<TObject*, int, int>;
using TGridDrawCellEvent = TEvent<TObject*, TCanvas&, int, int, const TRect&, TGridDrawState, bool&>;
using TGridGetEditEvent = TEvent<TObject*, int, int, QString&>;
using TGridSetEditEvent = TEvent<TObject*, int, int, const QString&>;
using TGridSelectCellEvent = TEvent<TObject*, int, int, bool&>;
// Sender, var AOrigin, var ADestination, AMousePt, var ACanDrag.
using TGridQueryDragEvent = TEvent<TObject*, int&, int&, TPoint, bool&>;
// Sender, AIndex, AMousePt, var ACanSizing.
using TGridQuerySizingEvent = TEvent<TObject*, int, TPoint, bool&>;

class TTavikCustomDrawGrid : public TTavikCustomGrid {
public:
    explicit TTavikCustomDrawGrid(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TTavikCustomDrawGrid"; }
    const char* ClassName() const override { return StaticClassName(); }

    // Answers whether the owner drew the cell (OnDrawCell's AHandled).
    virtual bool DrawCellEvent(int col, int row, TGridDrawState state, const TRect& rect);

    // The editor's queries, answered by the events.
    QString GetEditMask(int col, int row) override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString& value) override;

    bool SelectCell(int col, int row) override;
    void ColumnMoved(int from, int to) override { OnColumnMoved(this, from, to); }
    void RowMoved(int from, int to) override { OnRowMoved(this, from, to); }
    void TopLeftChanged() override;
    bool BeginColumnDrag(int& origin, int& destination, const TPoint& mousePt) override;
    bool BeginRowDrag(int& origin, int& destination, const TPoint& mousePt) override;
    bool CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt) override;
    bool CheckRowDrag(int& origin, int& destination, const TPoint& mousePt) override;
    bool EndColumnDrag(int& origin, int& destination, const TPoint& mousePt) override;
    bool EndRowDrag(int& origin, int& destination, const TPoint& mousePt) override;
    bool QueryColSizing(int index, const TPoint& mousePt) override;
    bool QueryRowSizing(int index, const TPoint& mousePt) override;
    void DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect) override;

    TGridMovedEvent OnColumnMoved;
    TGridDrawCellEvent OnDrawCell;
    TGridGetEditEvent OnGetEditMask;
    TGridGetEditEvent GetEditTextHandler;
    TGridQueryDragEvent OnQueryBeginColumnDrag;
    TGridQueryDragEvent OnQueryBeginRowDrag;
    TGridQueryDragEvent OnQueryCheckColumnDrag;
    TGridQueryDragEvent OnQueryCheckRowDrag;
    TGridQuerySizingEvent OnQueryColSizing;
    TGridQueryDragEvent OnQueryEndColumnDrag;
    TGridQueryDragEvent OnQueryEndRowDrag;
    TGridQuerySizingEvent OnQueryRowSizing;
    TGridMovedEvent OnRowMoved;
    TGridSelectCellEvent OnSelectCell;
    TGridSetEditEvent SetEditTextHandler;
    TNotifyEvent OnTopLeftChanged;
};
