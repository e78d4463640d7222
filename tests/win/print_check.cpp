// Prints from the real list window on the system's default printer, as the
// print dialog chooses it: NOMARO_PRINT_LINES lines ("Line 001 of the list"
// ...) in portrait, then, after Printer Setup chose landscape, five lines.
// The printing script reads the printed files back.
#include <cstdlib>

#include "tests/win/dialogs.h"
#include "tests/win/list_window_fixture.h"

namespace {

using RealPrinter = testing_support::ListWindowFixture;

TEST_F(RealPrinter, PrintsPortraitThenLandscape) {
    ui::DialogResponder responder;
    responder.print = [](DWORD) { return ui::DefaultPrinterDevice(); };
    responder.printerSetup = [] { return ui::Orientation::Landscape; };
    ui::SetDialogResponder(responder);
    const char* lines = std::getenv("NOMARO_PRINT_LINES");
    window->document.SetText(testing_support::NumberedLines(lines ? std::atoi(lines) : 1));
    window->printButton.Click();
    window->printerSetupItem.Click();
    window->document.SetText(testing_support::NumberedLines(5));
    window->printButton.Click();
    testing_support::FailOnEveryDialog();
}

}  // namespace
