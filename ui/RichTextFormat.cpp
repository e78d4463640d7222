#include "ui/RichTextFormat.h"

#include <richedit.h>

namespace ui {

namespace {
// Character heights are in twips: 20 to the point, 2 to a tenth of a point.
const LONG kTwipsPerPointTenth = 2;

std::optional<bool> Effect(const CHARFORMAT2W& format, DWORD mask, DWORD effect) {
    if (!(format.dwMask & mask)) return std::nullopt;
    return (format.dwEffects & effect) != 0;
}
}  // namespace

SelectionFormat SelectionFormatOf(const RichText& box) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(box.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SelectionFormat selection;
    if (format.dwMask & CFM_FACE) selection.face = format.szFaceName;
    if (format.dwMask & CFM_SIZE) selection.pointTenths = static_cast<int>(format.yHeight / kTwipsPerPointTenth);
    selection.bold = Effect(format, CFM_BOLD, CFE_BOLD);
    selection.italic = Effect(format, CFM_ITALIC, CFE_ITALIC);
    selection.underline = Effect(format, CFM_UNDERLINE, CFE_UNDERLINE);
    selection.strikethrough = Effect(format, CFM_STRIKEOUT, CFE_STRIKEOUT);
    return selection;
}

void ApplyFontToSelection(RichText& box, const FontChoice& font) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    if (!font.face.empty()) {
        format.dwMask |= CFM_FACE;
        font.face.copy(format.szFaceName, LF_FACESIZE - 1);
    }
    if (font.pointTenths > 0) {
        format.dwMask |= CFM_SIZE;
        format.yHeight = font.pointTenths * kTwipsPerPointTenth;
    }
    const struct {
        bool on;
        DWORD mask, effect;
    } styles[] = {{font.bold, CFM_BOLD, CFE_BOLD},
                  {font.italic, CFM_ITALIC, CFE_ITALIC},
                  {font.underline, CFM_UNDERLINE, CFE_UNDERLINE},
                  {font.strikethrough, CFM_STRIKEOUT, CFE_STRIKEOUT}};
    for (const auto& style : styles)
        if (style.on) {
            format.dwMask |= style.mask;
            format.dwEffects |= style.effect;
        }
    if (format.dwMask)
        SendMessageW(box.hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace ui
