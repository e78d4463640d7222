// A rich-text box (the system's RichEdit 2.0 control): a multi-line document
// whose paragraphs end in one character ("\r"), so that text positions, the
// selection and the text agree.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Controls.h"

namespace ui {

class RichText : public Control {
public:
    // Loads the rich-edit library on first use; raises 5 when it is missing.
    void Create(Form& form, Frame* container = nullptr);

    // The plain text, each paragraph end a single "\r".
    std::wstring Text() const;
    // Replaces the whole text; raises OnChange once.
    void SetText(const std::wstring& text);
    // Characters of the plain text, paragraph ends counted once.
    int TextLength() const;

    // Selection: start (caret position) and length, in characters.
    int SelStart() const;
    // Puts the caret at `start` with nothing selected.
    void SetSelStart(int start);
    int SelLength() const;
    // Selects `length` characters from SelStart.
    void SetSelLength(int length);
    std::wstring SelText() const;
    // Replaces the selection by `text` (empty removes it); the caret ends behind it.
    void ReplaceSelection(const std::wstring& text);
    // Selects the whole text.
    void SelectAll();
    // Hides the selection's highlight while `hidden` (the selection stays).
    void HideSelection(bool hidden);
    // A locked document takes no typing (the program may still change it).
    bool Locked() const;
    void SetLocked(bool locked);

    // The text changed, by typing or by the program.
    std::function<void()> OnChange;
    // The selection or the caret moved.
    std::function<void()> OnSelChange;

    void Notify(int code) override;
    bool Notified(const NMHDR& header, LRESULT& result) override;
};

}  // namespace ui
