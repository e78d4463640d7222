// Numbered texts through the real resource lookup, in the language Wine
// derives from LANG (the test is run once per language).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/Texts.h"
#include "ui/RunError.h"

using app::Language;
using app::LoadText;

namespace {
Language ExpectedLanguage() {
    // The test runs with LC_ALL set to the language the system should show.
    const char* locale = std::getenv("LC_ALL");
    std::string name = locale ? locale : "";
    if (name.rfind("de_", 0) == 0) return Language::German;
    if (name.rfind("sv_", 0) == 0) return Language::Swedish;
    return Language::English;
}

const wchar_t* ByLanguage(const wchar_t* english, const wchar_t* german, const wchar_t* swedish) {
    switch (ExpectedLanguage()) {
    case Language::German: return german;
    case Language::Swedish: return swedish;
    case Language::English: break;
    }
    return english;
}
}  // namespace

TEST(Texts, LanguageFollowsTheSystemsUserInterface) {
    EXPECT_EQ(app::UiLanguage(), ExpectedLanguage());
    // A system in a language the program lacks really is in that language.
    const char* locale = std::getenv("LC_ALL");
    if (locale && std::string(locale).rfind("fr_", 0) == 0) {
        EXPECT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_FRENCH);
    }
}

TEST(Texts, LoadTextPicksTheUserInterfaceLanguage) {
    EXPECT_EQ(LoadText(156), ByLanguage(L"Rename Filenames", L"Dateinamen umbenennen",
                                        L"Byt namn på filer"));
    EXPECT_EQ(LoadText(102), ByLanguage(L"Cancel", L"Abbrechen", L"Avbryt"));
    EXPECT_EQ(LoadText(163), ByLanguage(L"Open", L"Öffnen", L"Öppna"));
    EXPECT_EQ(LoadText(189), ByLanguage(L"Wrong Font", L"Falsche Schriftart", L"Fel Font storlek"));
}

TEST(Texts, EveryLanguageKeepsBlanksAndSpecialCharacters) {
    EXPECT_EQ(LoadText(175, Language::English), L"Paste               Ctrl+V");
    EXPECT_EQ(LoadText(175, Language::German), L"Überschreiben            Ctrl+V");
    EXPECT_EQ(LoadText(227, Language::English), L"Clear the list above this button. ");
    EXPECT_EQ(LoadText(274, Language::Swedish), L"Skickar ");
    EXPECT_EQ(LoadText(140, Language::Swedish), L"< ÅNGRA <");
    EXPECT_EQ(LoadText(237, Language::German),
              L"Wenn Sie die Dateinamen beibehalten wollen, müssen Sie in diesem Feld '*' "
              L"(Stern) eingeben.");
    EXPECT_EQ(LoadText(132, Language::English), L"0001 (Deafult)");
}

TEST(Texts, FirstAndLastOfEachBlockAreFound) {
    // Texts sit in blocks of sixteen; ids at block edges catch an off-by-one in the walk.
    EXPECT_EQ(LoadText(128, Language::German).substr(0, 15), L"Alle Dateinamen");
    EXPECT_EQ(LoadText(127, Language::English), L"Selected catalogues");
    EXPECT_EQ(LoadText(191, Language::Swedish), L"Resolution Fel");
    EXPECT_EQ(LoadText(192, Language::English), L"No files to send");
    EXPECT_EQ(LoadText(282, Language::English),
              L"Max number of files when indexed extension = 999, override detected");
}

TEST(Texts, EveryUsedIdExistsInAllThreeLanguages) {
    for (int id : {102, 103, 106, 155, 156, 188, 189, 211, 247, 250, 252, 256, 271}) {
        for (Language language : {Language::English, Language::German, Language::Swedish})
            EXPECT_FALSE(LoadText(id, language).empty()) << id;
    }
    EXPECT_NE(LoadText(252, Language::English), LoadText(252, Language::Swedish));
}

TEST(Texts, AnIdOutsideTheTableIsAnError) {
    for (int id : {0, 101, 104, 257, 283, 5000}) {
        try {
            LoadText(id);
            ADD_FAILURE() << "no error for id " << id;
        } catch (const ui::RunError& error) {
            EXPECT_EQ(error.number, 5) << id;
        }
    }
}

#include "app/StartWindow.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace {
// Notes the closing notice as it stands when the window goes.
class ObservedScroll : public app::Scroll {
public:
    std::wstring notice;
    bool noticeShown = false;

protected:
    void Form_Unload() override {
        notice = Label5.Caption();
        noticeShown = Label5.Visible();
    }
};
}  // namespace

TEST(Texts, ClosingNoticeIsSwedishOnlyInSwedish) {
    ObservedScroll start;
    start.Show();
    start.Command2.Click();
    EXPECT_FALSE(start.IsLoaded());
    EXPECT_TRUE(start.noticeShown);
    EXPECT_EQ(start.notice, ExpectedLanguage() == Language::Swedish ? L"Avslutar..." : L"Closing...");
}

namespace {
class HintForm : public ui::Form {
public:
    ui::StatusBar StatusBar1;

protected:
    void CreateControls() override { StatusBar1.Create(*this, 2); }
};
}  // namespace

TEST(Texts, HintGoesIntoTheFirstPanel) {
    HintForm form;
    form.Load();
    form.StatusBar1.SetPanelText(2, L"other");
    app::ShowHint(form.StatusBar1, 224);
    EXPECT_EQ(form.StatusBar1.PanelText(1), LoadText(224));
    EXPECT_EQ(form.StatusBar1.PanelText(2), L"other");
}
