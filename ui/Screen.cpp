#include "ui/Screen.h"

#include "base/Display.h"
#include "base/Scoped.h"

namespace ui {

namespace {
int LogPixels(int index) {
    base::WindowDC screen(nullptr);
    int perInch = screen ? GetDeviceCaps(screen.get(), index) : 96;
    return perInch > 0 ? perInch : 96;
}
}  // namespace

int TwipsPerPixelX() { return 1440 / LogPixels(LOGPIXELSX); }
int TwipsPerPixelY() { return 1440 / LogPixels(LOGPIXELSY); }

int TwipsToPixelsX(long twips) { return base::TwipsToPixels(twips, TwipsPerPixelX()); }
int TwipsToPixelsY(long twips) { return base::TwipsToPixels(twips, TwipsPerPixelY()); }
long PixelsToTwipsX(int pixels) { return static_cast<long>(pixels) * TwipsPerPixelX(); }
long PixelsToTwipsY(int pixels) { return static_cast<long>(pixels) * TwipsPerPixelY(); }

long ScreenWidthTwips() { return PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN)); }
long ScreenHeightTwips() { return PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN)); }

RECT WorkAreaPixels() {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace ui
