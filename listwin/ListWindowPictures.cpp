// The picture-view mode of the list window: the document gives way to a
// preview of the picture file clicked in the file box, fitted into a frame,
// with a stretched thumbnail and a line that gives the file's size and the
// picture's width and height as its header states them.
#include <cmath>
#include <string>

#include "base/Paths.h"
#include "base/RunError.h"
#include "base/WholeFiles.h"
#include "listwin/ImageSize.h"
#include "listwin/ListWindow.h"
#include "listwin/ListWindowTables.h"
#include "listwin/PictureFit.h"
#include "ui/App.h"
#include "ui/MsgBox.h"

namespace listwin {
namespace {

// Space kept free around the fitted preview inside its frame (twips).
const int kPreviewMargin = 100;
const long kThumbnailSide = 600;
const long kThumbnailFrameBorder = 45;
const long kSizeLineHeight = 255;

// The fitting arithmetic works on these views of the controls.
class FrameSize : public TwipsBox {
public:
    explicit FrameSize(const ui::Control& frame) : frame_(frame) {}
    double Width() const override { return frame_.Width(); }
    double Height() const override { return frame_.Height(); }

private:
    const ui::Control& frame_;
};

class FittedImage : public TwipsControl {
public:
    explicit FittedImage(ui::PictureImage& image) : image_(image) {}
    double Width() const override { return image_.Width(); }
    double Height() const override { return image_.Height(); }
    double Left() const override { return image_.Left(); }
    double Top() const override { return image_.Top(); }
    void SetLeft(double twips) override { image_.Move(std::lround(twips), image_.Top(), image_.Width(), image_.Height()); }
    void SetTop(double twips) override { image_.Move(image_.Left(), std::lround(twips), image_.Width(), image_.Height()); }
    void SetWidth(double twips) override { image_.Move(image_.Left(), image_.Top(), std::lround(twips), image_.Height()); }
    void SetHeight(double twips) override { image_.Move(image_.Left(), image_.Top(), image_.Width(), std::lround(twips)); }
    void SetVisible(bool visible) override { image_.SetVisible(visible); }
    void SetStretch(bool stretch) override { image_.SetStretch(stretch); }
    void BringToFront() override { image_.BringToFront(); }

private:
    ui::PictureImage& image_;
};

}  // namespace

// Hidden until the picture view is chosen. The thumbnail lies in front of
// its frame, whose painting leaves it out.
void ListWindow::CreatePictureControls() {
    previewBox.Create(*this);
    preview.Create(*this, &previewBox);
    sizeLabel.Create(*this);
    thumbnailFrame.Create(*this);
    SetWindowLongW(thumbnailFrame.hwnd(), GWL_STYLE, GetWindowLongW(thumbnailFrame.hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowLongW(thumbnailFrame.hwnd(), GWL_EXSTYLE, GetWindowLongW(thumbnailFrame.hwnd(), GWL_EXSTYLE) | WS_EX_STATICEDGE);
    thumbnail.Create(*this);
    thumbnail.SetStretch(true);
    thumbnail.BringToFront();
    for (ui::Control* control : {static_cast<ui::Control*>(&previewBox), static_cast<ui::Control*>(&preview),
                                 static_cast<ui::Control*>(&sizeLabel), static_cast<ui::Control*>(&thumbnailFrame),
                                 static_cast<ui::Control*>(&thumbnail)})
        control->SetVisible(false);
}

// The frame takes the document's place, the size line the heading's; the
// thumbnail sits under Add to List at the height the screen layout gives.
void ListWindow::PlacePictureControls() {
    previewBox.Move(document.Left(), document.Top(), preview_.width, preview_.height);
    sizeLabel.Move(documentLabel.Left(), documentLabel.Top(), preview_.width, kSizeLineHeight);
    const long thumbnailLeft = addToListButton.Left() + (addToListButton.Width() - kThumbnailSide) / 2;
    thumbnail.Move(thumbnailLeft, preview_.thumbnailTop, kThumbnailSide, kThumbnailSide);
    thumbnailFrame.Move(thumbnailLeft - kThumbnailFrameBorder, preview_.thumbnailTop - kThumbnailFrameBorder,
                        kThumbnailSide + 2 * kThumbnailFrameBorder, kThumbnailSide + 2 * kThumbnailFrameBorder);
    SetWindowPos(thumbnailFrame.hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

// Applies the mode of the check box (also when the program set it, and when
// the menu item toggled it); the steps go in this order. A grayed box is
// list mode and changes none of the controls the two modes set.
void ListWindow::OnViewPicturesClick() {
    mode_ = viewPicturesBox.Value() ? ViewMode::Pictures : ViewMode::List;
    if (viewPicturesBox.State() != ui::CheckValue::Grayed) ApplyMode();
    // A file chosen before shows at once.
    OnFileClick();
    fileBox.SetFocus();
    if (ListMode()) CheckCommands();
}

void ListWindow::ApplyMode() {
    const bool pictures = !ListMode();
    sizeLabel.SetVisible(pictures);
    thumbnailFrame.SetVisible(pictures);
    // Entering the picture view forgets what only its own events bring back;
    // back in list mode the command-state refresh at the end enables what the
    // document allows.
    if (pictures) commandFacts_ = EnteringPictureView(commandFacts_);
    ApplyCommandState();
    for (ui::Control* control : {static_cast<ui::Control*>(&undoButton), static_cast<ui::Control*>(&redoButton),
                                 static_cast<ui::Control*>(&documentLabel), static_cast<ui::Control*>(&document)})
        control->SetVisible(!pictures);
    // The preview's frame takes the place of the document.
    previewBox.SetVisible(pictures);
    thumbnail.SetVisible(pictures);
    preview.SetVisible(pictures);
    if (pictures) patternBox.SetText(kPicturePattern);
    viewPicturesItem.SetChecked(pictures);
}

void ListWindow::OnFileClick() {
    if (ListMode()) return;
    const std::wstring name = fileBox.FileName();
    if (name.empty()) {
        RestoreCursor();
        return;
    }
    ShowPictureFile(base::JoinPath(folderBox.Path(), name));
}

// The file is read once: its bytes give the picture, the file size and the
// picture size of the header.
void ListWindow::ShowPictureFile(const std::wstring& path) {
    document.SetVisible(false);
    preview.SetVisible(true);
    thumbnail.SetVisible(true);
    SetBusyCursor();
    preview.ClearPicture();
    thumbnail.ClearPicture();
    previewBox.Clear();
    std::string bytes;
    ui::Picture picture;
    try {
        bytes = base::ReadWholeFile(path);
        picture = ui::Picture::FromBytes(bytes);
    } catch (const base::RunError& error) {
        // Both pictures are cleared already; the size line keeps the last file's.
        ui::MsgBox(hwnd(), L"Description: " + error.description + L".  Corrupt file or file with zero bytes?", MB_OK,
                   ui::AppTitle());
        RestoreCursor();
        return;
    }
    preview.SetPicture(picture);
    FitPreview();
    thumbnail.SetPicture(picture);
    RestoreCursor();
    const ImageSize size = GetImageSize(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    sizeLabel.SetCaption(L"Filesize= " + std::to_wstring(bytes.size()) + L" bytes. Width= " +
                         std::to_wstring(size.width) + L"  Height= " + std::to_wstring(size.height));
}

// A picture too large for the arithmetic stays hidden, and the user is told.
void ListWindow::FitPreview() {
    FittedImage image(preview);
    try {
        LogicalSize(FrameSize(previewBox), image, kPreviewMargin);
    } catch (const base::RunError&) {
        ui::MsgBox(hwnd(), L"An Error occured While rescaling this image. Image size maybe invalid.",
                   MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL, L"Resize Error!");
    }
}

}  // namespace listwin
