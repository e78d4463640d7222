// Numbered texts in the user's language, and the help file's topics.
#pragma once
#include <string>

#include "base/TextId.h"

namespace base {

enum class Language { English, German, Swedish };

// The language of the texts: German or Swedish when the system's user
// interface is German or Swedish, English otherwise. Fixed for the process.
Language UiLanguage();

// Text number `id` in UiLanguage. An id the table lacks raises error 5.
std::wstring LoadText(int id);
// Text number `id` in a chosen language.
std::wstring LoadText(int id, Language language);
inline std::wstring LoadText(Text id) { return LoadText(static_cast<int>(id)); }
inline std::wstring LoadText(Text id, Language language) {
    return LoadText(static_cast<int>(id), language);
}

// Full path of the help file beside the program.
std::wstring HelpFilePath();

// Opens the help file in `folder` at `topic` ("html\file1vvo.htm") in a
// help window of its own; returns at once. A missing viewer, file or topic
// is not reported. The program passes its own folder; the shell extension,
// which runs inside another program, the folder of its DLL.
void ShowHelpTopic(const std::wstring& folder, const std::wstring& topic);
// The help file beside the program at `topic`.
void ShowHelpTopic(const std::wstring& topic);

}  // namespace base
