#pragma once

// Cell enumerations of the grid family, one byte each, and the member names the
// stored definitions use for them.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum TCellDataType : uint8_t { cdtString, cdtBoolean, cdtNumeric, cdtMemo, cdtPicture, cdtVectorGraph, cdtRichText };
enum THorzAlignment : uint8_t { haDefault, haLeftJustify, haRightJustify, haCenter };
enum TVertAlignment : uint8_t { vaDefault, vaTopJustify, vaBottomJustify, vaCenter };
enum TCellStyle : uint8_t { csFixed, csAutoWrap, csAutoStretch };
enum TCellImageLayout : uint8_t { clImageLeft, clImageRight, clImageTop, clImageBottom };
enum TRowStyle : uint8_t { rsNormal, rsFixed, rsSplit };

template <class E>
struct CellEnumNames;

template <>
struct CellEnumNames<TCellDataType> {
    static constexpr std::array<std::string_view, 7> names{
        "cdtString", "cdtBoolean", "cdtNumeric", "cdtMemo", "cdtPicture", "cdtVectorGraph", "cdtRichText"};
};
template <>
struct CellEnumNames<THorzAlignment> {
    static constexpr std::array<std::string_view, 4> names{"haDefault", "haLeftJustify", "haRightJustify",
                                                           "haCenter"};
};
template <>
struct CellEnumNames<TVertAlignment> {
    static constexpr std::array<std::string_view, 4> names{"vaDefault", "vaTopJustify", "vaBottomJustify",
                                                           "vaCenter"};
};
template <>
struct CellEnumNames<TCellStyle> {
    static constexpr std::array<std::string_view, 3> names{"csFixed", "csAutoWrap", "csAutoStretch"};
};
template <>
struct CellEnumNames<TCellImageLayout> {
    static constexpr std::array<std::string_view, 4> names{"clImageLeft", "clImageRight", "clImageTop",
                                                           "clImageBottom"};
};
template <>
struct CellEnumNames<TRowStyle> {
    static constexpr std::array<std::string_view, 3> names{"rsNormal", "rsFixed", "rsSplit"};
};

// Member name of a value; empty for a value outside the enumeration.
template <class E>
constexpr std::string_view CellEnumToIdent(E value)
{
    const auto& names = CellEnumNames<E>::names;
    return static_cast<size_t>(value) < names.size() ? names[value] : std::string_view{};
}

// Identifiers of the stored definitions ignore case, as the framework's do.
template <class E>
constexpr std::optional<E> IdentToCellEnum(std::string_view ident)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const auto& names = CellEnumNames<E>::names;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        if (name.size() != ident.size())
            continue;
        bool same = true;
        for (size_t k = 0; k < name.size() && same; ++k)
            same = lower(name[k]) == lower(ident[k]);
        if (same)
            return static_cast<E>(i);
    }
    return std::nullopt;
}
