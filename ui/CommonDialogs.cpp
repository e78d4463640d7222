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

namespace {

// The print dialogs' results, freed when they go.
struct PrinterDialog : PRINTDLGW {
    explicit PrinterDialog(HWND owner, DWORD flags) : PRINTDLGW{} {
        lStructSize = sizeof(PRINTDLGW);
        hwndOwner = owner;
        Flags = flags;
    }
    ~PrinterDialog() {
        if (hDevMode) GlobalFree(hDevMode);
        if (hDevNames) GlobalFree(hDevNames);
    }
    PrinterDialog(const PrinterDialog&) = delete;
    PrinterDialog& operator=(const PrinterDialog&) = delete;
};

}  // namespace

std::unique_ptr<PrintDevice> ShowPrintDialog(HWND owner, DWORD flags) {
    if (Responder().print) return Responder().print(flags);
    PrinterDialog dialog(owner, flags);
    if (!PrintDlgW(&dialog) || !dialog.hDevNames) return nullptr;
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames));
    const std::wstring device = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
    GlobalUnlock(dialog.hDevNames);
    const auto* mode = dialog.hDevMode ? static_cast<const DEVMODEW*>(GlobalLock(dialog.hDevMode)) : nullptr;
    std::unique_ptr<PrintDevice> printer = PrinterDevice(device, mode);
    if (mode) GlobalUnlock(dialog.hDevMode);
    return printer;
}

std::optional<Orientation> ShowPrinterSetupDialog(HWND owner) {
    if (Responder().printerSetup) return Responder().printerSetup();
    PrinterDialog dialog(owner, PD_PRINTSETUP);
    if (!PrintDlgW(&dialog)) return std::nullopt;
    Orientation orientation = Orientation::Portrait;
    if (dialog.hDevMode) {
        const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(dialog.hDevMode));
        if (mode->dmOrientation == DMORIENT_LANDSCAPE) orientation = Orientation::Landscape;
        GlobalUnlock(dialog.hDevMode);
    }
    return orientation;
}

void SetDialogResponder(DialogResponder responder) { Responder() = std::move(responder); }

}  // namespace ui
