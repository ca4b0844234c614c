#pragma once

// A toolbar theme: the metrics, the colours of an item in each state, and the
// painting of docks, toolbar backgrounds, buttons, captions, pictures,
// separators and the boxes of the skinned check boxes and radio buttons.
// Themes are made and shared through the theme registry.

#include <QString>

#include "platform/canvas/Canvas.h"

class TImageList;

// What the theme needs to know about an item to draw it.
struct TSkinItemState {
    bool enabled = true;
    bool hot = false;     // the toolbar's highlighted item
    bool pushed = false;  // the mouse button is held on it
    bool checked = false;
};

// The state number that picks an item's colours: 0 normal, 1 disabled,
// 2 checked, 3 pushed, 4 hot, 5 disabled hot, 6 checked hot.
int SkinStateIndex(const TSkinItemState& s);
constexpr int SkinStateCount = 8;

// clNone means "not painted".
struct TSkinStateColors {
    TColor fill = clNone;
    TColor text = clNone;
    TColor frame = clNone;
};

class TSkinTheme {
public:
    explicit TSkinTheme(const QString& name) : name_(name) {}
    virtual ~TSkinTheme() = default;
    TSkinTheme(const TSkinTheme&) = delete;
    TSkinTheme& operator=(const TSkinTheme&) = delete;

    const QString& Name() const { return name_; }

    // Space between a toolbar's edges and its items (Left, Top, Right, Bottom).
    virtual TRect ToolbarMargins() const { return {2, 2, 2, 2}; }
    // Width of a separator on a horizontal toolbar.
    virtual int SeparatorSize() const { return 6; }
    virtual TSkinStateColors ItemColors(int state) const = 0;

    virtual void PaintDock(TCanvas& canvas, const TRect& r) const = 0;
    virtual void PaintToolbarBackground(TCanvas& canvas, const TRect& r) const = 0;
    virtual void PaintButton(TCanvas& canvas, const TRect& r, const TSkinItemState& s) const = 0;
    // Transparent text in fontColor, or in the state's text colour when fontColor is clNone.
    virtual void PaintCaption(TCanvas& canvas, const TRect& r, const QString& text, const TSkinItemState& s,
                              TColor fontColor) const;
    virtual void PaintImage(TCanvas& canvas, const TImageList& images, int index, int x, int y,
                            const TSkinItemState& s) const;
    virtual void PaintSeparator(TCanvas& canvas, const TRect& r, bool horizontal) const = 0;
    // The 13 × 13 box (kind 1) or circle (kind 2) of a skinned check box or radio button.
    virtual void PaintFrameControl(TCanvas& canvas, const TRect& r, int kind, unsigned flags) const;

    // The theme has been (re)activated; appActive tells whether the application is.
    virtual void Activated(bool appActive) {}
    // A theme-change notification (codes 1 to 3) passed on to the theme.
    virtual void ThemeMessage(int code) {}

private:
    QString name_;
};
