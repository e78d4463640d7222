#include "ui/CommonDialogs.h"

#include <commdlg.h>

#include <vector>

#include "base/Scoped.h"

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
        const base::WindowDC screen(nullptr);
        logFont.lfHeight = -MulDiv(font.pointTenths, GetDeviceCaps(screen.get(), LOGPIXELSY), 720);
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

// A print dialog; it owns the printer's settings and names that it hands out.
class PrinterDialog {
public:
    PrinterDialog(HWND owner, DWORD flags) {
        dialog_.lStructSize = sizeof dialog_;
        dialog_.hwndOwner = owner;
        dialog_.Flags = flags;
    }
    // Whether the user chose; the blocks are owned here either way.
    bool Show() {
        const bool chosen = PrintDlgW(&dialog_) != 0;
        mode_.Reset(dialog_.hDevMode);
        names_.Reset(dialog_.hDevNames);
        return chosen;
    }
    HGLOBAL Mode() const { return mode_.get(); }
    HGLOBAL Names() const { return names_.get(); }

private:
    PRINTDLGW dialog_{};
    base::GlobalMemory mode_, names_;
};

}  // namespace

std::unique_ptr<PrintDevice> ShowPrintDialog(HWND owner, DWORD flags) {
    if (Responder().print) return Responder().print(flags);
    PrinterDialog dialog(owner, flags);
    if (!dialog.Show() || !dialog.Names()) return nullptr;
    std::wstring device;
    {
        const base::LockedGlobal names(dialog.Names());
        const auto* header = static_cast<const DEVNAMES*>(names.data());
        if (!header) return nullptr;
        device = reinterpret_cast<const wchar_t*>(header) + header->wDeviceOffset;
    }
    const base::LockedGlobal mode(dialog.Mode());
    return PrinterDevice(device, static_cast<const DEVMODEW*>(mode.data()));
}

std::optional<Orientation> ShowPrinterSetupDialog(HWND owner) {
    if (Responder().printerSetup) return Responder().printerSetup();
    PrinterDialog dialog(owner, PD_PRINTSETUP);
    if (!dialog.Show()) return std::nullopt;
    const base::LockedGlobal locked(dialog.Mode());
    const auto* mode = static_cast<const DEVMODEW*>(locked.data());
    return mode && mode->dmOrientation == DMORIENT_LANDSCAPE ? Orientation::Landscape : Orientation::Portrait;
}

void SetDialogResponder(DialogResponder responder) { Responder() = std::move(responder); }

}  // namespace ui
