#include "grid/model/PTModelStorage.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

#include "grid/layout/CellTypes.h"
#include "grid/model/PTRows.h"

namespace {

struct CharsetName {
    uint8_t charset;
    const char* name;
};

constexpr std::array<CharsetName, 19> kCharsets{{
    {0, "ANSI_CHARSET"},         {1, "DEFAULT_CHARSET"},     {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},         {128, "SHIFTJIS_CHARSET"},  {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},      {134, "GB2312_CHARSET"},    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},     {178, "ARABIC_CHARSET"},    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},    {222, "THAI_CHARSET"},      {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
}};

constexpr std::array<std::string_view, 4> kFontStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::array<std::string_view, 3> kPitches{"fpDefault", "fpVariable", "fpFixed"};

bool SameIdent(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

FormValue ColorValue(TColor color)
{
    if (auto ident = ColorToIdent(color))
        return FormValue::Identifier(*ident);
    return FormValue::Int(color);
}

FormValue CharsetValue(uint8_t charset)
{
    for (const auto& entry : kCharsets)
        if (entry.charset == charset)
            return FormValue::Identifier(entry.name);
    return FormValue::Int(charset);
}

FormValue TextValue(const QString& text)
{
    return FormValue::Str(text.toStdString());
}

template <class E>
FormValue EnumValue(E value)
{
    return FormValue::Identifier(std::string(CellEnumToIdent(value)));
}

void Put(FormItem& item, const char* name, FormValue value)
{
    item.properties.push_back(FormProperty{name, std::move(value), {}});
}

FormItem WriteCell(const TPTCell& cell)
{
    FormItem item;
    if (!cell.Value().isEmpty())
        Put(item, "Value", TextValue(cell.Value()));
    if (cell.DataType() != cdtString)
        Put(item, "DataType", EnumValue(cell.DataType()));
    if (cell.IsFontStored()) {
        const TFont& font = cell.FontValue();
        Put(item, "Font.Charset", CharsetValue(font.Charset()));
        Put(item, "Font.Color", ColorValue(font.Color()));
        Put(item, "Font.Height", FormValue::Int(font.Height()));
        Put(item, "Font.Name", TextValue(font.Name()));
        if (font.Pitch() != fpDefault)
            Put(item, "Font.Pitch", FormValue::Identifier(std::string(kPitches[font.Pitch()])));
        std::vector<std::string> styles;
        for (size_t bit = 0; bit < kFontStyles.size(); ++bit)
            if (font.Style() & (1u << bit))
                styles.emplace_back(kFontStyles[bit]);
        Put(item, "Font.Style", FormValue::SetOf(std::move(styles)));
    }
    if (cell.MergeID() != 0)
        Put(item, "MergeID", FormValue::Int(cell.MergeID()));
    if (cell.IsColorStored())
        Put(item, "Color", ColorValue(cell.Color()));
    if (!cell.DisplayFormat().isEmpty())
        Put(item, "DisplayFormat", TextValue(cell.DisplayFormat()));
    if (cell.RightBoundLineWidth() != 0)
        Put(item, "RightBoundLineWidth", FormValue::Int(cell.RightBoundLineWidth()));
    if (cell.BottomBoundLineWidth() != 0)
        Put(item, "BottomBoundLineWidth", FormValue::Int(cell.BottomBoundLineWidth()));
    if (cell.DiagonalWidth() != 0)
        Put(item, "DiagonalWidth", FormValue::Int(cell.DiagonalWidth()));
    if (cell.AntiDiagonalWidth() != 0)
        Put(item, "AntiDiagonalWidth", FormValue::Int(cell.AntiDiagonalWidth()));
    if (cell.HorzAlignment() != haLeftJustify)
        Put(item, "HorzAlignment", EnumValue(cell.HorzAlignment()));
    if (cell.VertAlignment() != vaCenter)
        Put(item, "VertAlignment", EnumValue(cell.VertAlignment()));
    if (cell.Style() != csAutoWrap)
        Put(item, "Style", EnumValue(cell.Style()));
    if (!cell.ParentFont())
        Put(item, "ParentFont", FormValue::Bool(false));
    if (!cell.ParentColor())
        Put(item, "ParentColor", FormValue::Bool(false));
    if (cell.HandleSymbol())
        Put(item, "HandleSymbol", FormValue::Bool(true));
    if (cell.ImageIndex() != -1)
        Put(item, "ImageIndex", FormValue::Int(cell.ImageIndex()));
    if (cell.ImageLayout() != clImageLeft)
        Put(item, "ImageLayout", EnumValue(cell.ImageLayout()));
    if (cell.ShowComment())
        Put(item, "ShowComment", FormValue::Bool(true));
    if (!cell.Comment().isEmpty())
        Put(item, "Comment", TextValue(cell.Comment()));
    if (cell.Tag() != 0)
        Put(item, "Tag", FormValue::Int(cell.Tag()));
    return item;
}

// Reads the stored rows. Run once without a target to check everything, then
// again to build: the second run cannot fail where the first did not.
class RowsReader {
public:
    explicit RowsReader(const std::string& resource) : resource_(resource) {}

    void ReadRows(const FormValue& value, TPTRows* rows)
    {
        path_ = "Rows";
        Expect(value, FormValue::Kind::Collection, value.pos);
        for (size_t r = 0; r < value.items.size(); ++r) {
            TPTRow* row = rows ? rows->Add() : nullptr;
            ReadRow(value.items[r], "Rows[" + std::to_string(r) + "]", row);
        }
    }

private:
    void ReadRow(const FormItem& item, const std::string& where, TPTRow* row)
    {
        for (const FormProperty& p : item.properties) {
            path_ = where + "." + p.name;
            if (p.name == "Expand") {
                Apply(row, &TPTRow::SetExpand, Bool(p));
            } else if (p.name == "Cells") {
                Expect(p.value, FormValue::Kind::Collection, At(p));
                for (size_t c = 0; c < p.value.items.size(); ++c) {
                    TPTCell* cell = row ? row->Cells()->Add() : nullptr;
                    ReadCell(p.value.items[c], where + ".Cells[" + std::to_string(c) + "]", cell);
                }
            } else if (p.name == "RowStyle") {
                Apply(row, &TPTRow::SetRowStyle, Enum<TRowStyle>(p));
            } else {
                Fail(p.pos, "unknown property");
            }
        }
    }

    void ReadCell(const FormItem& item, const std::string& where, TPTCell* cell)
    {
        for (const FormProperty& p : item.properties) {
            path_ = where + "." + p.name;
            const std::string& n = p.name;
            if (n == "Value") {
                Apply(cell, &TPTCell::SetValue, Text(p));
            } else if (n == "DataType") {
                Apply(cell, &TPTCell::SetDataType, Enum<TCellDataType>(p));
            } else if (n.starts_with("Font.")) {
                ReadFont(p, cell);
            } else if (n == "MergeID") {
                Apply(cell, &TPTCell::SetMergeID,
                      static_cast<uint32_t>(Integer(p, 0, std::numeric_limits<uint32_t>::max())));
            } else if (n == "Color") {
                Apply(cell, &TPTCell::SetColor, Colour(p));
            } else if (n == "DisplayFormat") {
                Apply(cell, &TPTCell::SetDisplayFormat, Text(p));
            } else if (n == "RightBoundLineWidth" || n == "BottomBoundLineWidth" || n == "DiagonalWidth" ||
                       n == "AntiDiagonalWidth") {
                const auto v = static_cast<uint8_t>(Integer(p, 0, 255));
                if (!cell)
                    continue;
                if (n == "RightBoundLineWidth")
                    cell->SetRightBoundLineWidth(v);
                else if (n == "BottomBoundLineWidth")
                    cell->SetBottomBoundLineWidth(v);
                else if (n == "DiagonalWidth")
                    cell->SetDiagonalWidth(v);
                else
                    cell->SetAntiDiagonalWidth(v);
            } else if (n == "HorzAlignment") {
                Apply(cell, &TPTCell::SetHorzAlignment, Enum<THorzAlignment>(p));
            } else if (n == "VertAlignment") {
                Apply(cell, &TPTCell::SetVertAlignment, Enum<TVertAlignment>(p));
            } else if (n == "Style") {
                Apply(cell, &TPTCell::SetStyle, Enum<TCellStyle>(p));
            } else if (n == "ParentFont") {
                Apply(cell, &TPTCell::SetParentFont, Bool(p));
            } else if (n == "ParentColor") {
                Apply(cell, &TPTCell::SetParentColor, Bool(p));
            } else if (n == "HandleSymbol") {
                Apply(cell, &TPTCell::SetHandleSymbol, Bool(p));
            } else if (n == "ImageIndex") {
                Apply(cell, &TPTCell::SetImageIndex, static_cast<int32_t>(Integer(p, INT32_MIN, INT32_MAX)));
            } else if (n == "ImageLayout") {
                Apply(cell, &TPTCell::SetImageLayout, Enum<TCellImageLayout>(p));
            } else if (n == "ShowComment") {
                Apply(cell, &TPTCell::SetShowComment, Bool(p));
            } else if (n == "Comment") {
                Apply(cell, &TPTCell::SetComment, Text(p));
            } else if (n == "Tag") {
                Apply(cell, &TPTCell::SetTag, static_cast<int32_t>(Integer(p, INT32_MIN, INT32_MAX)));
            } else {
                Fail(p.pos, "unknown property");
            }
        }
    }

    // Edits go through the cell's font object, which makes the font the cell's own.
    void ReadFont(const FormProperty& p, TPTCell* cell)
    {
        const std::string sub = p.name.substr(5);
        if (sub == "Charset") {
            ApplyFont(cell, &TFont::SetCharset, Charset(p));
        } else if (sub == "Color") {
            ApplyFont(cell, &TFont::SetColor, Colour(p));
        } else if (sub == "Height") {
            ApplyFont(cell, &TFont::SetHeight, static_cast<int>(Integer(p, INT32_MIN, INT32_MAX)));
        } else if (sub == "Name") {
            const QString v = Text(p);
            if (v.isEmpty())
                Fail(At(p), "empty font name");
            if (cell)
                cell->Font()->SetName(v);
        } else if (sub == "Pitch") {
            Expect(p.value, FormValue::Kind::Ident, At(p));
            for (size_t i = 0; i < kPitches.size(); ++i)
                if (SameIdent(kPitches[i], p.value.text)) {
                    if (cell)
                        cell->Font()->SetPitch(static_cast<TFontPitch>(i));
                    return;
                }
            Fail(At(p), "unknown value '" + p.value.text + "'");
        } else if (sub == "Style") {
            Expect(p.value, FormValue::Kind::Set, At(p));
            TFontStyles styles = 0;
            for (const std::string& member : p.value.set) {
                size_t i = 0;
                while (i < kFontStyles.size() && !SameIdent(kFontStyles[i], member))
                    ++i;
                if (i == kFontStyles.size())
                    Fail(At(p), "unknown value '" + member + "'");
                styles |= static_cast<TFontStyles>(1u << i);
            }
            if (cell)
                cell->Font()->SetStyle(styles);
        } else {
            Fail(p.pos, "unknown property");
        }
    }

    // Sets a value read for a row or cell; without one (a dry run) the value was only checked.
    template <class Object, class Setter, class V>
    static void Apply(Object* object, Setter set, V&& value)
    {
        if (object)
            (object->*set)(std::forward<V>(value));
    }
    template <class Setter, class V>
    static void ApplyFont(TPTCell* cell, Setter set, V&& value)
    {
        if (cell)
            (cell->Font()->*set)(std::forward<V>(value));
    }

    static SourcePos At(const FormProperty& p) { return p.value.pos.line ? p.value.pos : p.pos; }

    [[noreturn]] void Fail(SourcePos pos, const std::string& problem)
    {
        throw EFormError(resource_, pos, path_ + ": " + problem);
    }

    void Expect(const FormValue& v, FormValue::Kind kind, SourcePos pos)
    {
        if (v.kind != kind)
            Fail(pos, std::string("expected ") + FormValue::DescribeKind(kind) + ", found " + FormValue::DescribeKind(v.kind));
    }

    bool Bool(const FormProperty& p)
    {
        Expect(p.value, FormValue::Kind::Ident, At(p));
        if (SameIdent(p.value.text, "True"))
            return true;
        if (SameIdent(p.value.text, "False"))
            return false;
        Fail(At(p), "expected True or False, found '" + p.value.text + "'");
    }

    template <class E>
    E Enum(const FormProperty& p)
    {
        Expect(p.value, FormValue::Kind::Ident, At(p));
        if (auto v = IdentToCellEnum<E>(p.value.text))
            return *v;
        Fail(At(p), "unknown value '" + p.value.text + "'");
    }

    int64_t Integer(const FormProperty& p, int64_t low, int64_t high)
    {
        Expect(p.value, FormValue::Kind::Integer, At(p));
        if (p.value.integer < low || p.value.integer > high)
            Fail(At(p), std::to_string(p.value.integer) + " is out of range " + std::to_string(low) + ".." +
                            std::to_string(high));
        return p.value.integer;
    }

    QString Text(const FormProperty& p)
    {
        Expect(p.value, FormValue::Kind::String, At(p));
        return QString::fromStdString(p.value.text);
    }

    TColor Colour(const FormProperty& p)
    {
        if (p.value.kind == FormValue::Kind::Ident) {
            if (auto c = IdentToColor(p.value.text))
                return *c;
            Fail(At(p), "unknown colour '" + p.value.text + "'");
        }
        if (p.value.kind != FormValue::Kind::Integer)
            Fail(At(p), std::string("expected a colour, found ") + FormValue::DescribeKind(p.value.kind));
        return static_cast<TColor>(Integer(p, INT32_MIN, INT32_MAX));
    }

    uint8_t Charset(const FormProperty& p)
    {
        if (p.value.kind == FormValue::Kind::Ident) {
            for (const auto& entry : kCharsets)
                if (SameIdent(entry.name, p.value.text))
                    return entry.charset;
            Fail(At(p), "unknown character set '" + p.value.text + "'");
        }
        if (p.value.kind != FormValue::Kind::Integer)
            Fail(At(p), std::string("expected a character set, found ") + FormValue::DescribeKind(p.value.kind));
        return static_cast<uint8_t>(Integer(p, 0, 255));
    }

    const std::string& resource_;
    std::string path_;
};

} // namespace

FormValue TPTModelStorage::Write(const TPTRows& rows)
{
    std::vector<FormItem> rowItems;
    rowItems.reserve(static_cast<size_t>(rows.Count()));
    for (int r = 0; r < rows.Count(); ++r) {
        const TPTRow& row = *rows.Items(r);
        std::vector<FormItem> cellItems;
        cellItems.reserve(static_cast<size_t>(row.Cells()->Count()));
        for (int c = 0; c < row.Cells()->Count(); ++c)
            cellItems.push_back(WriteCell(*row.Cells()->Items(c)));
        FormItem item;
        Put(item, "Expand", FormValue::Bool(row.Expand()));
        Put(item, "Cells", FormValue::CollectionOf(std::move(cellItems)));
        Put(item, "RowStyle", EnumValue(row.RowStyle()));
        rowItems.push_back(std::move(item));
    }
    return FormValue::CollectionOf(std::move(rowItems));
}

void TPTModelStorage::Read(TPTRows& rows, const FormValue& value, const std::string& resource)
{
    RowsReader(resource).ReadRows(value, nullptr);
    TCollectionUpdate update(rows);
    rows.Clear();
    RowsReader(resource).ReadRows(value, &rows);
}
