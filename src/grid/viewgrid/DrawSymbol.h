#pragma once

// Symbol texts of cells: engineering units ("m2", "m3" with a raised small
// digit, a smaller "#") and bar-diameter codes ("Φ" and a grade letter,
// drawn as a small picture). Drawer classes register with the process-wide
// manager, which hands a text to the first class that takes it.

#include <memory>
#include <vector>

#include <QString>

#include "platform/base/Types.h"

class TCanvas;

// Drawers' alignment: 0 left, 1 right, 2 centre. Other values are
// programming errors and raise an exception.
class TCustomDrawSymbol {
public:
    virtual ~TCustomDrawSymbol() = default;
    virtual void Draw(TCanvas& canvas, int scale, const TRect& rect, int alignment, const QString& text) {}
};

// A drawer class: what the manager keeps, asks and instantiates.
struct TDrawSymbolClass {
    const char* Name;
    bool (*CanDraw)(const QString& text);
    std::unique_ptr<TCustomDrawSymbol> (*Create)();
};

class TMeterDrawSymbol : public TCustomDrawSymbol {
public:
    static const TDrawSymbolClass Class;
    static bool CanDraw(const QString& text);
    void Draw(TCanvas& canvas, int scale, const TRect& rect, int alignment, const QString& text) override;
    // The work text: units replaced by their placeholders.
    static QString WorkText(const QString& text);
    // Width of a unit placeholder in the canvas's font.
    static int PlaceholderWidth(TCanvas& canvas);
};

class TDiaDrawSymbol : public TCustomDrawSymbol {
public:
    static const TDrawSymbolClass Class;
    static bool CanDraw(const QString& text);
    void Draw(TCanvas& canvas, int scale, const TRect& rect, int alignment, const QString& text) override;
    // Index of the text's prefix in the bar-diameter table, or -1.
    static int PrefixIndex(const QString& text);
    // The resource name of picture i ("SDIAA" ...).
    static QString PictureName(int index);
};

class TDrawSymbolManager {
public:
    // The application context's manager; it registers the unit drawer, then the
    // bar-diameter drawer.
    static TDrawSymbolManager& Instance();
    TDrawSymbolManager() = default;

    // Appends the class unless it is registered already.
    void Register(const TDrawSymbolClass& cls);
    int Count() const { return static_cast<int>(classes_.size()); }
    const TDrawSymbolClass& Item(int index) const { return *classes_.at(index); }
    // The first class that takes the text, or -1.
    int Find(const QString& text) const;
    void Draw(TCanvas& canvas, int scale, bool& handled, const TRect& rect, int alignment, const QString& text);

private:
    std::vector<const TDrawSymbolClass*> classes_;
};

// Unit placeholders of the work text.
inline constexpr char16_t MeterSquarePlaceholder = u'\u5F0D'; // 弍
inline constexpr char16_t MeterCubePlaceholder = u'\u5F0E';   // 弎
inline constexpr char16_t BarDiameterSign = u'\u03A6';        // Φ
