// Pictures read from files and the two controls that show them: a picture
// box, a bordered area that holds pictures, and a picture image, which shows
// one picture at its natural size or stretched to whatever size it is given.
#pragma once
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <string>

#include "ui/Controls.h"

namespace ui {

// A picture decoded by the system's picture loader (OleLoadPicture): bitmaps,
// JPEG, GIF, icons, cursors and metafiles (and whatever else the loader of
// the system reads). Copies share the one decoded picture.
class Picture {
public:
    Picture() = default;  // no picture
    // Decodes the contents of a picture file. Raises 481 (Invalid picture)
    // when the loader refuses them: empty, damaged or of a format it lacks.
    static Picture FromBytes(const std::string& bytes);

    explicit operator bool() const { return picture_ != nullptr; }
    // The size in pixels of the screen, from the picture's own measure.
    SIZE PixelSize() const;
    // Draws the whole picture into `target`, stretched to fill it.
    void Render(HDC dc, const RECT& target) const;

private:
    std::shared_ptr<IPicture> picture_;
};

// A sunken area on the form whose inside holds picture images.
class PictureBox : public Control {
public:
    void Create(Form& form);
    // Clears what is drawn on the inside; the images in it stay.
    void Clear();
};

// Shows one picture. With stretching off the control takes the natural size
// of its picture (in twips of the screen) whenever the picture or the mode
// changes; with stretching on the picture fills the control's size. Without
// a picture it shows the background of what holds it.
class PictureImage : public Control {
public:
    // `inside`: the box the image lies in (positions count from its inside),
    // or none for an image on the form itself.
    void Create(Form& form, PictureBox* inside = nullptr);

    const Picture& CurrentPicture() const { return picture_; }
    void SetPicture(const Picture& picture);
    void ClearPicture() { SetPicture(Picture()); }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    // In front of the other controls of its box or form.
    void BringToFront();

protected:
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void TakeNaturalSize();
    void Draw(HDC dc) const;

    Picture picture_;
    bool stretch_ = false;
};

}  // namespace ui
