#include "ui/CommonDialogs.h"

#include <commdlg.h>

#include <vector>

namespace ui {

namespace {

DialogResponder& Responder() {
    static DialogResponder responder;
    return responder;
}

// Long paths fit: the dialogs accept names up to this many characters.
constexpr DWORD kFileNameCapacity = 32768;

FileChoice ShowFileDialog(HWND owner, const FileDialogSettings& settings, bool save) {
    const std::wstring filter = DialogFilter(settings.filter);
    std::vector<wchar_t> name(kFileNameCapacity, L'\0');
    settings.fileName.copy(name.data(), name.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(settings.filterIndex);
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = kFileNameCapacity;
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (settings.overwritePrompt) dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (settings.hideReadOnly) dialog.Flags |= OFN_HIDEREADONLY;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return {};
    return {true, name.data(), (dialog.Flags & OFN_READONLY) != 0};
}

}  // namespace

std::wstring DialogFilter(const std::wstring& barSeparated) {
    std::wstring filter = barSeparated;
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');  // with the string's own terminator: two NULs
    return filter;
}

FileChoice ShowOpenDialog(HWND owner, const FileDialogSettings& settings) {
    if (Responder().open) return Responder().open(settings);
    return ShowFileDialog(owner, settings, false);
}

FileChoice ShowSaveDialog(HWND owner, const FileDialogSettings& settings) {
    if (Responder().save) return Responder().save(settings);
    return ShowFileDialog(owner, settings, true);
}

bool ShowFontDialog(HWND owner, FontChoice& font) {
    if (Responder().font) return Responder().font(font);
    LOGFONTW logFont{};
    font.face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikethrough;
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (font.pointTenths > 0) {
        HDC screen = GetDC(nullptr);
        logFont.lfHeight = -MulDiv(font.pointTenths, GetDeviceCaps(screen, LOGPIXELSY), 720);
        ReleaseDC(nullptr, screen);
    }
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &logFont;
    dialog.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_FORCEFONTEXIST | CF_EFFECTS |
                   CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&dialog)) return false;
    font.face = logFont.lfFaceName;
    font.pointTenths = dialog.iPointSize;
    font.bold = logFont.lfWeight >= FW_BOLD;
    font.italic = logFont.lfItalic != 0;
    font.underline = logFont.lfUnderline != 0;
    font.strikethrough = logFont.lfStrikeOut != 0;
    return true;
}

void SetDialogResponder(DialogResponder responder) { Responder() = std::move(responder); }

}  // namespace ui
