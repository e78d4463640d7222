#include "ui/PictureBox.h"

#include "base/Module.h"
#include "base/RunError.h"
#include "base/Scoped.h"
#include "ui/Screen.h"

namespace ui {
namespace {

const wchar_t kPictureBoxClass[] = L"NomaroPictureBox";
const wchar_t kPictureImageClass[] = L"NomaroPictureImage";
const long kHimetricPerInch = 2540;

// The classes draw nothing themselves (the controls paint in ControlProc), so
// their procedure is the system's own: no code of a module that may go away.
void RegisterPictureClass(const wchar_t* name, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(base::CodeModule(), name, &wc)) return;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = base::CodeModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

void ReleasePicture(IPicture* picture) { picture->Release(); }

}  // namespace

// ---- Picture ---------------------------------------------------------------

Picture Picture::FromBytes(const std::string& bytes) {
    base::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()))) throw base::RunError(base::err::OutOfMemory);
    ULONG written = 0;
    if (!bytes.empty() &&
        (FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) || written != bytes.size()))
        throw base::RunError(base::err::OutOfMemory);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    IPicture* loaded = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&loaded))) ||
        !loaded)
        throw base::RunError(base::err::InvalidPicture);
    Picture picture;
    picture.picture_.reset(loaded, ReleasePicture);
    return picture;
}

SIZE Picture::PixelSize() const {
    if (!picture_) return SIZE{0, 0};
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    base::WindowDC screen(nullptr);
    return SIZE{MulDiv(width, GetDeviceCaps(screen.get(), LOGPIXELSX), kHimetricPerInch),
                MulDiv(height, GetDeviceCaps(screen.get(), LOGPIXELSY), kHimetricPerInch)};
}

void Picture::Render(HDC dc, const RECT& target) const {
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    // Averaged rather than dropped pixels: a shrunken photograph stays smooth.
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    // The picture's measure runs upwards: its source starts at the bottom edge.
    picture_->Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0,
                     height, width, -height, nullptr);
    SetStretchBltMode(dc, previousMode);
}

// ---- PictureBox ------------------------------------------------------------

void PictureBox::Create(Form& form) {
    RegisterPictureClass(kPictureBoxClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowOf(form, kPictureBoxClass, WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, nullptr);
}

void PictureBox::Clear() { InvalidateRect(hwnd(), nullptr, TRUE); }

// ---- PictureImage ----------------------------------------------------------

void PictureImage::Create(Form& form, PictureBox* inside) {
    RegisterPictureClass(kPictureImageClass, nullptr);
    CreateWindowOf(form, kPictureImageClass, WS_CLIPSIBLINGS, 0, nullptr);
    // Made on the form like every control, then moved into its box: from
    // then on its positions count from the box's inside.
    if (inside) SetParent(hwnd(), inside->hwnd());
}

void PictureImage::SetPicture(const Picture& picture) {
    picture_ = picture;
    if (!stretch_) TakeNaturalSize();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    if (!stretch_) TakeNaturalSize();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureImage::TakeNaturalSize() {
    const SIZE pixels = picture_.PixelSize();
    Move(Left(), Top(), PixelsToTwipsX(pixels.cx), PixelsToTwipsY(pixels.cy));
}

void PictureImage::BringToFront() { SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

LRESULT PictureImage::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;  // Draw covers every pixel
    case WM_PAINT: {
        const base::PaintDC paint(hwnd());
        Draw(paint.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        Draw(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

// The background first, so that the transparent parts of icons and GIFs
// show the colour of the box or form behind.
void PictureImage::Draw(HDC dc) const {
    RECT area;
    GetClientRect(hwnd(), &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    picture_.Render(dc, area);
}

}  // namespace ui
