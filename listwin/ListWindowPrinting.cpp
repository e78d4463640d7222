// The list window's printing: Print and Printer Setup.
#include <windows.h>

#include <commdlg.h>

#include "base/RunError.h"
#include "base/Texts.h"
#include "listwin/DocumentPrinting.h"
#include "listwin/ListWindow.h"
#include "ui/MsgBox.h"

namespace listwin {

namespace {
// One inch on every side of the paper.
constexpr long kMargin = 1440;
// The print dialog offers neither the selection, nor page ranges, nor printing to a file.
constexpr DWORD kPrintDialogFlags = PD_NOSELECTION | PD_NOPAGENUMS | PD_DISABLEPRINTTOFILE;
}  // namespace

void ListWindow::OnPrinterSetupClick() {
    if (const auto orientation = ui::ShowPrinterSetupDialog(hwnd()))
        landscapeChosen_ = *orientation == ui::Orientation::Landscape;
}

// A failure while printing ends the command without a word; the printer
// object then cancels the unfinished job.
void ListWindow::PrintMessage() {
    if (!ListMode()) return;
    int pageNumber = 1;
    if (DocumentEmpty()) {
        ui::MsgBox(hwnd(), base::LoadText(base::Text::NothingTo), MB_OK | MB_ICONINFORMATION,
                   base::LoadText(base::Text::EmptyList));
        return;
    }
    std::unique_ptr<ui::PrintDevice> device = ui::ShowPrintDialog(hwnd(), kPrintDialogFlags);
    if (!device) return;
    try {
        ui::Printer printer(std::move(device));
        printer.SetOrientation(landscapeChosen_ ? ui::Orientation::Landscape : ui::Orientation::Portrait);
        PrintFirstPageHeader(printer, pageNumber);
        RenderDocumentPages(document, printer, pageNumber, kMargin, kMargin, kMargin, kMargin);
    } catch (const base::RunError&) {
    }
}

}  // namespace listwin
