// Where the list window's controls stand: one layout per screen size, in
// twips, and the fixed places the layouts share.
#include <algorithm>
#include <string>

#include "base/Display.h"
#include "listwin/ListWindow.h"
#include "ui/Screen.h"

namespace listwin {

namespace {
// Positions in twips that the three screen layouts change; the design
// layout (any other screen) keeps the values of kDesignLayout.
struct Layout {
    long driveTop;
    long folderHeight;
    long fileTop, fileHeight;
    long addTop;
    long documentWidth, documentHeight;
    long previewWidth, previewHeight;  // Picture1 and Image3 of the picture view
    long thumbnailTop;                 // Image4 of the picture view
    long buttonRowTop;
    long saveLeft, saveWidth;
    long printLeft, clearLeft;
    long undoLeft, redoLeft;
    long labelLeft, labelTop;
    long pictureBoxTop;  // Check1
};

const Layout kDesignLayout = {
    .driveTop = 600, .folderHeight = 2145,
    .fileTop = 3600, .fileHeight = 3610,
    .addTop = 5500,
    .documentWidth = 6285, .documentHeight = 5580,
    .previewWidth = 6285, .previewHeight = 5580,
    .thumbnailTop = 6200,
    .buttonRowTop = 7265,
    .saveLeft = 6000, .saveWidth = 1400,
    .printLeft = 7900, .clearLeft = 9200,
    .undoLeft = 8600, .redoLeft = 9800,
    .labelLeft = 5350, .labelTop = 840,
    .pictureBoxTop = 1620,
};
const Layout k1024Layout = {
    .driveTop = 1170, .folderHeight = 3015,
    .fileTop = 4600, .fileHeight = 4285,
    .addTop = 6175,
    .documentWidth = 9735, .documentHeight = 7230,
    .previewWidth = 9735, .previewHeight = 7230,
    .thumbnailTop = 6925,
    .buttonRowTop = 9300,
    .saveLeft = 10000, .saveWidth = 1600,
    .printLeft = 12350, .clearLeft = 13600,
    .undoLeft = 12800, .redoLeft = 14000,
    .labelLeft = 5350, .labelTop = 840,
    .pictureBoxTop = 1620,
};
const Layout k800Layout = {
    .driveTop = 1170, .folderHeight = 2145,
    .fileTop = 3600, .fileHeight = 3610,
    .addTop = 5500,
    .documentWidth = 6285, .documentHeight = 5580,
    .previewWidth = 6285, .previewHeight = 5580,
    .thumbnailTop = 6200,
    .buttonRowTop = 7265,
    .saveLeft = 6000, .saveWidth = 1400,
    .printLeft = 7900, .clearLeft = 9200,
    .undoLeft = 8600, .redoLeft = 9800,
    .labelLeft = 5350, .labelTop = 840,
    .pictureBoxTop = 1620,
};
const Layout k640Layout = {
    .driveTop = 600, .folderHeight = 1255,
    .fileTop = 2880, .fileHeight = 2605,
    .addTop = 3900,
    .documentWidth = 4215, .documentHeight = 3855,
    .previewWidth = 4215, .previewHeight = 3855,
    .thumbnailTop = 5300,
    .buttonRowTop = 5520,
    .saveLeft = 5350, .saveWidth = 1500,
    .printLeft = 6915, .clearLeft = 8330,
    .undoLeft = 7250, .redoLeft = 8400,
    .labelLeft = 5400, .labelTop = 900,
    .pictureBoxTop = 1560,
};
const Layout& LayoutFor(const std::wstring& resolution) {
    if (resolution == L"1024") return k1024Layout;
    if (resolution == L"800") return k800Layout;
    if (resolution == L"640") return k640Layout;
    return kDesignLayout;
}

// Fixed places of the design, the same in every layout (twips).
const long kMargin = 375;           // left edge of the browser column
const long kBrowserWidth = 3375;
const long kFolderTop = 1470;       // below the drive box of the 800 and 1024 layouts
const long kMiddleLeft = 3900;      // column of the pattern, the check box and Add to List
const long kMiddleWidth = 1300;
const long kDocumentLeft = 5350;
const long kDocumentTop = 1170;
const long kUndoRowTop = 480;
const long kUndoWidth = 1100;
const long kButtonHeight = 360;
const long kPrintWidth = 1200;       // leaves a gap before Clear List in every layout
const long kClearWidth = 1400;
const long kImageLeft = 4190, kImageTop = 2500;
}  // namespace

SIZE ListWindow::DesignSize() const { return SIZE{12000, 8600}; }

void ListWindow::ApplyLayout() {
    const Layout& layout = LayoutFor(base::ScreenResolution);
    driveBox.Move(kMargin, layout.driveTop, kBrowserWidth, 330);
    folderBox.Move(kMargin, kFolderTop, kBrowserWidth, layout.folderHeight);
    fileBox.Move(kMargin, layout.fileTop, kBrowserWidth, layout.fileHeight);
    patternBox.Move(kMiddleLeft, kDocumentTop, kMiddleWidth, 315);
    viewPicturesBox.Move(kMiddleLeft, layout.pictureBoxTop, kMiddleWidth, 600);
    addToListButton.Move(kMiddleLeft, layout.addTop, kMiddleWidth, 600);
    documentLabel.Move(layout.labelLeft, layout.labelTop, 3100, 255);
    undoButton.Move(layout.undoLeft, kUndoRowTop, kUndoWidth, kButtonHeight);
    redoButton.Move(layout.redoLeft, kUndoRowTop, kUndoWidth, kButtonHeight);
    document.Move(kDocumentLeft, kDocumentTop, layout.documentWidth, layout.documentHeight);
    exitButton.Move(kMiddleLeft, layout.buttonRowTop, kMiddleWidth, kButtonHeight);
    saveButton.Move(layout.saveLeft, layout.buttonRowTop, layout.saveWidth, kButtonHeight);
    printButton.Move(layout.printLeft, layout.buttonRowTop, kPrintWidth, kButtonHeight);
    clearButton.Move(layout.clearLeft, layout.buttonRowTop, kClearWidth, kButtonHeight);
    plainImage.Move(kImageLeft, kImageTop);
    hoverImage.Move(kImageLeft, kImageTop);
    preview_ = {layout.previewWidth, layout.previewHeight, layout.thumbnailTop};
    PlacePictureControls();

    // The window holds the document and the button row, with the menu bar and the status bar.
    RECT bar{};
    GetWindowRect(statusBar.hwnd(), &bar);
    const long clientWidth = kDocumentLeft + layout.documentWidth + 150;
    const long clientHeight = layout.buttonRowTop + kButtonHeight + 90 +
                              ui::PixelsToTwipsY(bar.bottom - bar.top);
    SIZE outer = OuterSizeForClient(clientWidth, clientHeight);
    outer.cy += ui::PixelsToTwipsY(GetSystemMetrics(SM_CYMENU));
    CentreOnScreen(std::min(outer.cx, ui::ScreenWidthTwips()), std::min(outer.cy, ui::ScreenHeightTwips()));
}

}  // namespace listwin
