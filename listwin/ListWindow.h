// The list window (the form aber): browse a folder, mark files by type and
// collect their names into the list document, a rich-text box that is saved,
// opened, edited and printed. The window also has a picture-view mode; the
// commands that work on the document do nothing in it.
#pragma once
#include <string>
#include <vector>

#include "listwin/ListCommandState.h"
#include "listwin/TextMirror.h"
#include "listwin/UndoHistory.h"
#include "ui/BrowserBoxes.h"
#include "ui/BusyCursor.h"
#include "ui/CommonDialogs.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/PictureBox.h"
#include "ui/RichText.h"
#include "ui/Toolbar.h"

namespace listwin {

// The buttons of the toolbar, counted from 1; their keys and handlers are
// the rows of the toolbar's table.
enum ToolbarButton : int {
    kExitToolButton = 1,
    kPrintToolButton,
    kSaveToolButton,
    kClearToolButton,
    kUndoToolButton,
    kRedoToolButton,
    kAboutToolButton,
    kHelpToolButton,
};

// The window's two modes, decided by the picture check box (Check1).
enum class ViewMode { List, Pictures };

// The window is the document the undo history works on: its text, caret and
// replacements are those of `document`.
class ListWindow : public ui::Form, private UndoableDocument {
public:
    ListWindow();
    ~ListWindow() override;

    // Browser
    ui::DriveBox driveBox;          // Drive1: chooses the drive
    ui::DirBox folderBox;           // Dir1: chooses the folder
    ui::FileBox fileBox;            // File1: files of the folder matching the pattern; several marked
    ui::TextBox patternBox;         // Text2: file pattern, applied to fileBox at every change
    ui::Button addToListButton;     // Command1: "> Add to List >", starts the transfer
    ui::CheckBox viewPicturesBox;   // Check1: picture-view mode when checked (grayed: list mode)
    // Document
    ui::Label documentLabel;        // Label1: heading of the document
    ui::RichText document;          // RichTextBox2: the list document
    ui::Button printButton;         // Command2: Print
    ui::Button saveButton;          // Command5: Save to file
    ui::Button clearButton;         // Command3: Clear List
    ui::Button exitButton;          // Command4: Exit
    ui::Button undoButton;          // cmdUndo
    ui::Button redoButton;          // cmdRedo
    ui::Toolbar toolbar;            // Toolbar1, pictures from ImageList1
    ui::StatusBar statusBar;        // StatusBar1: panel 1 holds the hints
    // Decoration
    ui::Image plainImage;           // Image1: shown normally
    ui::Image hoverImage;           // Image2: shown while the mouse is over plainImage
    // Picture view
    ui::PictureBox previewBox;      // Picture1: frame of the preview
    ui::PictureImage preview;       // Image3: the picture, fitted into previewBox
    ui::PictureImage thumbnail;     // Image4: the picture stretched to a 600 x 600 twips square
    ui::Label sizeLabel;            // Label2: the file's size and the picture's width and height
    ui::Label thumbnailFrame;       // Label3: no text, the sunken frame around the thumbnail
    // Timers
    ui::Timer clipboardTimer;        // Timer2: enables Paste while the clipboard holds something, 3000 ms
    ui::Timer transferTimer;         // Timer3: the transfer step, 1000 ms
    ui::Timer restoreSettingsTimer;  // Timer4: restores the settings after loading, 250 ms

    // Menus, in order; the menu table gives each item its caption, handler,
    // shortcut and picture.
    ui::MenuBar menuBar;
    ui::Menu fileMenu;                 // File
    ui::MenuItem openItem;             // openss: Open, Ctrl+O
    ui::MenuItem saveItem;             // savess: Save As.., Ctrl+S
    ui::MenuItem closeItem;            // newss: Close, clears the list
    ui::MenuItem printerSetupItem;     // printsetup: Printer Setup
    ui::MenuItem printItem;            // printerss: Print, Ctrl+P
    ui::MenuItem exitItem;             // quitter: Exit, Ctrl+Q
    ui::Menu optionMenu;               // s: Option
    ui::MenuItem gotoRenameItem;       // gotoRename: switches to the rename window
    ui::MenuItem radicalSelectItem;    // radi: Radical Select, the recursive search
    ui::MenuItem viewPicturesItem;     // view: toggles viewPicturesBox, Ctrl+W
    ui::MenuItem includePathItem;      // pathz: the transfer writes full paths when checked
    ui::MenuItem countMarkedItem;      // exx: counts the files marked in fileBox, F4
    ui::MenuItem statusBarItem;        // statusbar: shows or hides the status bar
    ui::MenuItem refreshItem;          // fresh: Refresh, F5
    ui::Menu editMenu;                 // mnuEdit: Edit
    ui::MenuItem undoItem;             // mnuUndo
    ui::MenuItem redoItem;             // mnuRedo
    ui::MenuItem copyItem;             // mnuCopy, Ctrl+C
    ui::MenuItem cutItem;              // mnuCut, Ctrl+X
    ui::MenuItem deleteItem;           // mnuDelete, Del
    ui::MenuItem pasteItem;            // mnuPaste (its caption names Ctrl+V)
    ui::MenuItem fontItem;             // fontss: Font Properties, Ctrl+F
    ui::MenuItem clearListItem;        // ccll: Clear List
    ui::MenuItem selectAllTextItem;    // mnuSelectAll: selects the whole document
    ui::MenuItem selectAllFilesItem;   // selectss: marks every file of fileBox, Ctrl+A
    ui::Menu selectMenu;               // selecte: Select, the type filters
    ui::MenuItem showAllFilesItem;     // selects: pattern *.*
    std::vector<ui::MenuItem> filterItems;  // exe .. Allinternet, as kTypeFilters lists them
    ui::Menu helpMenu;                 // help
    ui::MenuItem helpItem;             // instr: Help, F1
    ui::MenuItem aboutItem;            // abb: About Nomaro / System Info

    // Mode: the value of viewPicturesBox. Commands marked "list mode only"
    // ask ListMode() and do nothing in picture view.
    ViewMode Mode() const { return mode_; }
    bool ListMode() const { return mode_ == ViewMode::List; }

    // Where the screen layout puts the picture view's preview (Picture1 and
    // Image3: size) and its thumbnail (Image4: top), in twips.
    struct PreviewPlace {
        long width, height, thumbnailTop;
    };
    PreviewPlace PreviewLayout() const { return preview_; }

    // The list document, for the features that work on it.
    std::wstring DocumentText() const { return document.Text(); }
    bool DocumentEmpty() const { return document.TextLength() == 0; }

    // `checker2`: recomputes the states of the commands from the document
    // and the file box (list mode only); resets the pattern to *.*.
    void CheckCommands();
    void SetBusyCursor();
    void RestoreCursor();
    bool BusyCursorOn() const { return busy_.On(); }
    // Set by the switch to the rename window: the closing asks nothing.
    bool SkipExitQuestion() const { return skipExitQuestion_; }

    // Handlers
    void OnPatternChange();
    void OnFolderChange();
    void OnDriveChange();
    void OnDriveGotFocus();
    void OnViewPicturesClick();
    void OnViewPicturesItemClick();
    // In picture view, shows the file the user chose in fileBox.
    void OnFileClick();
    void OnTypeFilterClick(size_t filter);
    void OnShowAllFilesClick();
    void OnSelectAllFilesClick();
    void OnCountMarkedClick();
    void OnStatusBarClick();
    void OnIncludePathClick();
    void OnGotoRenameClick();
    void OnRefreshClick();  // `RefreshControls`
    void OnHelpClick();
    void OnAboutClick();
    void OnExitClick();
    void OnToolbarClick(const std::wstring& key);
    void OnToolbarMouseMove(long x);
    void OnClipboardTimer();
    void OnRestoreSettingsTimer();
    void OnDocumentChange();
    // The transfer of the marked files' names into the document: the click
    // (or double-click) shows the busy cursor and starts transferTimer, whose
    // tick writes them.
    void OnAddToListClick();
    void OnTransferTimer();
    void OnRadicalSelectClick();
    // The undo history of the document, list mode only.
    void OnUndoClick();
    void OnRedoClick();
    void UpdateUndoState();
    const UndoHistory& History() const { return history_; }
    void OnDocumentSelChange();
    void OnDocumentMouseUp(int button);
    // Documents: every one works in list mode only.
    void OnSaveClick();
    void OnOpenClick();
    void OnClearClick();
    void OnFontClick();
    // The Edit menu's commands on the document, in list mode only.
    void OnCopyClick();
    void OnCutClick();
    void OnDeleteClick();
    void OnPasteClick();
    void OnSelectAllTextClick();
    // Printing, list mode only: the document with its page headers on the
    // printer chosen in the print dialog, in the orientation Printer Setup
    // chose last.
    void PrintMessage();
    void OnPrinterSetupClick();
    bool LandscapeChosen() const { return landscapeChosen_; }
    // Opening a document drops the snapshot its loading recorded.
    void DropNewestUndoElement() { history_.DropNewestElement(); }

protected:
    void CreateControls() override;
    void OnLoad() override;
    void OnQueryClose(bool& cancel) override;
    void OnUnload() override;
    void OnFormMouseMove(int button, int shift, long x, long y) override;
    void OnFormClick() override;
    SIZE DesignSize() const override;

private:
    void CreateMenus();
    void WireHandlers();
    void ApplyLayout();
    void CreatePictureControls();
    // The controls each mode shows, hides, enables and disables.
    void ApplyMode();
    void PlacePictureControls();
    void ShowPictureFile(const std::wstring& path);
    void FitPreview();
    void SetCaptions();
    void ShowMenuPictures();
    void ReleaseMenuPictures();
    static std::vector<std::wstring> ToolbarKeys();
    // Writes every button, menu item and toolbar button from commandFacts_:
    // the one place that sets the commands' enabled states.
    void ApplyCommandState();
    void ShowImage(bool highlighted);
    void RememberBusyWindows();
    void FollowDocumentText();
    // The Edit menu's states after a change of the selection (the SelChange
    // handling), which the undo history's state update runs as well.
    void UpdateEditMenu();

    // UndoableDocument over `document`.
    std::wstring Text() const override;
    int32_t SelectionStart() const override;
    void Replace(int32_t start, int32_t length, const std::wstring& text) override;
    void Select(int32_t start, int32_t length) override;
    void PresetFontDialog();
    void InsertAtCaret(const std::wstring& text);
    void SaveSettings();
    void SelectWholeText();

    ui::BusyCursor busy_;
    ViewMode mode_ = ViewMode::List;
    PreviewPlace preview_{};
    std::wstring lastGoodDrive_;      // LastGoodDrive: the drive when driveBox last got the focus
    bool skipExitQuestion_ = false;   // SkipExitQuestion
    bool landscapeChosen_ = false;    // LandscapeChosen
    bool imageHighlighted_ = false;
    ListCommandInputs commandFacts_;
    TextMirror documentText_;  // the document's plain text, for the history
    UndoHistory history_{*this};
    // The font dialog's values, kept from one use to the next as the
    // presets leave them where the selection has nothing to give.
    ui::FontChoice fontDialog_;
};

}  // namespace listwin
