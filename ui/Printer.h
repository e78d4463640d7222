// The printer object: one print job on one device, drawn in twips from the
// top-left corner of the paper's printable area, with a current position
// that each printed line moves down.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "base/Scoped.h"

namespace ui {

enum class Orientation { Portrait = 1, Landscape = 2 };

// Where a job's pages go: a printer, or in tests a device that records them.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // Starts the document and its first page; the device context to draw on.
    virtual HDC StartDocument(Orientation orientation) = 0;
    // Ends the page and starts the next; the new page's device context.
    virtual HDC NextPage() = 0;
    // Ends the last page and the document: the job goes to the printer.
    virtual void EndDocument() = 0;
};

// The printer `device` with the settings `mode` (null: the printer's own).
// A job it leaves unfinished is cancelled, so that no partial job prints.
std::unique_ptr<PrintDevice> PrinterDevice(const std::wstring& device, const DEVMODEW* mode = nullptr);
// The system's default printer; raises 68 (Device unavailable) when there is none.
std::unique_ptr<PrintDevice> DefaultPrinterDevice();

class Printer {
public:
    explicit Printer(std::unique_ptr<PrintDevice> device);
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Takes effect when the job starts, at the first thing drawn or measured.
    void SetOrientation(Orientation orientation) { orientation_ = orientation; }

    // Prints `text` in the printer font at the current position, then moves
    // to the start of the next line.
    void PrintLine(const std::wstring& text);
    long CurrentX() const { return x_; }
    long CurrentY() const { return y_; }
    void SetCurrentX(long x) { x_ = x; }
    long TextWidth(const std::wstring& text);
    // A black line; the current position ends at its end.
    void Line(long x1, long y1, long x2, long y2);

    // The whole paper and the printable area.
    long PageWidth();
    long PageHeight();
    long ScaleWidth();
    long ScaleHeight();

    // The device context of the current page (it may change with each page).
    HDC hDC() { return Dc(); }
    long PixelsToTwipsX(long pixels);
    long PixelsToTwipsY(long pixels);
    int TwipsToPixelsX(long twips);
    int TwipsToPixelsY(long twips);

    void NewPage();
    // Ends the document; the job goes to the printer.
    void EndDoc();

private:
    HDC Dc();
    void BeginPage(HDC dc);

    // Selected into each page's device context; declared before the device so
    // that it is deleted after the device has let go of it.
    base::GdiObject<HFONT> font_;
    std::unique_ptr<PrintDevice> device_;
    Orientation orientation_ = Orientation::Portrait;
    HDC dc_ = nullptr;
    bool ended_ = false;
    long x_ = 0, y_ = 0;
};

}  // namespace ui
