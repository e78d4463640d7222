// A window's client area drawn into a 32-bit bitmap, for tests that check
// what a control really paints.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/Scoped.h"

namespace testing_support {

struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first

    // Pixels of `colour` in the rows from `top` to `bottom` (exclusive).
    int CountIn(int top, int bottom, COLORREF colour) const {
        DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        int count = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
            for (int x = 0; x < width; ++x)
                if ((pixels[static_cast<size_t>(y * width + x)] & 0xFFFFFF) == wanted) ++count;
        return count;
    }
};

inline Picture PrintClient(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    base::WindowDC screen(nullptr);
    base::MemoryDC dc(screen.get());
    base::GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    base::SelectedObject selected(dc.get(), bitmap.get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    Picture picture{r.right, r.bottom, {}};
    const auto* pixels = static_cast<const DWORD*>(bits);
    picture.pixels.assign(pixels, pixels + r.right * r.bottom);
    return picture;
}

}  // namespace testing_support
