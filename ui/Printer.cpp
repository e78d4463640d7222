#include "ui/Printer.h"

#include <winspool.h>

#include <vector>

#include "base/RunError.h"
#include "base/Scoped.h"
#include "ui/App.h"

namespace ui {

namespace {

constexpr int kTwipsPerInch = 1440;

// A printer reached through its driver: the device context is made when the
// job starts, with the orientation written into the printer's settings.
class GdiPrinter : public PrintDevice {
public:
    GdiPrinter(std::wstring device, std::vector<BYTE> mode) : device_(std::move(device)), mode_(std::move(mode)) {}
    ~GdiPrinter() override {
        if (inDocument_) AbortDoc(dc_.get());
    }

    HDC StartDocument(Orientation orientation) override {
        auto* mode = reinterpret_cast<DEVMODEW*>(mode_.data());
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = orientation == Orientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        dc_.Reset(CreateDCW(L"WINSPOOL", device_.c_str(), nullptr, mode));
        if (!dc_) throw base::RunError(base::err::DeviceUnavailable);
        std::wstring title = AppTitle();
        if (title.empty()) title = L"Nomaro";  // the job's name in the printer's queue
        DOCINFOW document{};
        document.cbSize = sizeof document;
        document.lpszDocName = title.c_str();
        if (StartDocW(dc_.get(), &document) <= 0) throw base::RunError(base::err::DeviceUnavailable);
        inDocument_ = true;
        Check(StartPage(dc_.get()));
        return dc_.get();
    }
    HDC NextPage() override {
        Check(EndPage(dc_.get()));
        Check(StartPage(dc_.get()));
        return dc_.get();
    }
    void EndDocument() override {
        Check(EndPage(dc_.get()));
        Check(EndDoc(dc_.get()));
        inDocument_ = false;
    }

private:
    static void Check(int result) {
        if (result <= 0) throw base::RunError(base::err::DeviceUnavailable);
    }

    std::wstring device_;
    std::vector<BYTE> mode_;  // DEVMODEW with the driver's private part
    base::DeviceContext dc_;
    bool inDocument_ = false;
};

// The printer's own settings, driver part included.
std::vector<BYTE> PrinterSettings(const std::wstring& device) {
    auto name = const_cast<wchar_t*>(device.c_str());
    base::OpenedPrinter printer;
    if (!OpenPrinterW(name, printer.Receive(), nullptr)) throw base::RunError(base::err::DeviceUnavailable);
    const LONG size = DocumentPropertiesW(nullptr, printer.get(), name, nullptr, nullptr, 0);
    std::vector<BYTE> mode(size > 0 ? static_cast<size_t>(size) : 0);
    const LONG read = mode.empty() ? -1
                                   : DocumentPropertiesW(nullptr, printer.get(), name,
                                                         reinterpret_cast<DEVMODEW*>(mode.data()), nullptr,
                                                         DM_OUT_BUFFER);
    if (read != IDOK) throw base::RunError(base::err::DeviceUnavailable);
    return mode;
}

}  // namespace

std::unique_ptr<PrintDevice> PrinterDevice(const std::wstring& device, const DEVMODEW* mode) {
    if (!mode) return std::make_unique<GdiPrinter>(device, PrinterSettings(device));
    const auto* bytes = reinterpret_cast<const BYTE*>(mode);
    return std::make_unique<GdiPrinter>(
        device, std::vector<BYTE>(bytes, bytes + mode->dmSize + mode->dmDriverExtra));
}

std::unique_ptr<PrintDevice> DefaultPrinterDevice() {
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    std::wstring name(length, L'\0');
    if (length == 0 || !GetDefaultPrinterW(name.data(), &length))
        throw base::RunError(base::err::DeviceUnavailable);
    name.resize(length - 1);
    return PrinterDevice(name);
}

Printer::Printer(std::unique_ptr<PrintDevice> device) : device_(std::move(device)) {}

HDC Printer::Dc() {
    if (!dc_) {
        if (ended_) throw base::RunError(base::err::InvalidCall);
        BeginPage(device_->StartDocument(orientation_));
    }
    return dc_;
}

void Printer::BeginPage(HDC dc) {
    if (!dc) throw base::RunError(base::err::DeviceUnavailable);
    dc_ = dc;
    if (!font_) {
        // The printer font: 10 point Arial.
        font_.Reset(CreateFontW(-MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, L"Arial"));
    }
    SelectObject(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    x_ = y_ = 0;
}

long Printer::PixelsToTwipsX(long pixels) { return MulDiv(pixels, kTwipsPerInch, GetDeviceCaps(Dc(), LOGPIXELSX)); }
long Printer::PixelsToTwipsY(long pixels) { return MulDiv(pixels, kTwipsPerInch, GetDeviceCaps(Dc(), LOGPIXELSY)); }
int Printer::TwipsToPixelsX(long twips) { return MulDiv(twips, GetDeviceCaps(Dc(), LOGPIXELSX), kTwipsPerInch); }
int Printer::TwipsToPixelsY(long twips) { return MulDiv(twips, GetDeviceCaps(Dc(), LOGPIXELSY), kTwipsPerInch); }

void Printer::PrintLine(const std::wstring& text) {
    HDC dc = Dc();
    TextOutW(dc, TwipsToPixelsX(x_), TwipsToPixelsY(y_), text.c_str(), static_cast<int>(text.size()));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    y_ += PixelsToTwipsY(metrics.tmHeight + metrics.tmExternalLeading);
    x_ = 0;
}

long Printer::TextWidth(const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return PixelsToTwipsX(size.cx);
}

void Printer::Line(long x1, long y1, long x2, long y2) {
    HDC dc = Dc();
    {
        const base::SelectedObject pen(dc, GetStockObject(BLACK_PEN));
        MoveToEx(dc, TwipsToPixelsX(x1), TwipsToPixelsY(y1), nullptr);
        LineTo(dc, TwipsToPixelsX(x2), TwipsToPixelsY(y2));
    }
    x_ = x2;
    y_ = y2;
}

// A device that is no printer (a screen, a metafile) has no paper beyond
// what it draws on.
long Printer::PageWidth() {
    const int paper = GetDeviceCaps(Dc(), PHYSICALWIDTH);
    return PixelsToTwipsX(paper > 0 ? paper : GetDeviceCaps(Dc(), HORZRES));
}
long Printer::PageHeight() {
    const int paper = GetDeviceCaps(Dc(), PHYSICALHEIGHT);
    return PixelsToTwipsY(paper > 0 ? paper : GetDeviceCaps(Dc(), VERTRES));
}
long Printer::ScaleWidth() { return PixelsToTwipsX(GetDeviceCaps(Dc(), HORZRES)); }
long Printer::ScaleHeight() { return PixelsToTwipsY(GetDeviceCaps(Dc(), VERTRES)); }

void Printer::NewPage() {
    Dc();
    BeginPage(device_->NextPage());
}

void Printer::EndDoc() {
    Dc();
    device_->EndDocument();
    dc_ = nullptr;
    ended_ = true;
}

}  // namespace ui
