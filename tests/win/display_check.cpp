// Checks of the real desktop that the display scripts run under Xvfb screens
// of several sizes and with normal or large fonts. The expected answers come
// from the environment: NOMARO_EXPECT_RESOLUTION and NOMARO_EXPECT_FONTS.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/StartUp.h"
#include "app/StartWindow.h"
#include "base/Display.h"

namespace {
std::wstring Expected(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value) ADD_FAILURE() << variable << " is not set";
    std::string text = value ? value : "";
    return std::wstring(text.begin(), text.end());
}
}  // namespace

TEST(Display, StartWindowClassifiesTheWorkArea) {
    app::StartWindow start;
    start.Load();
    EXPECT_EQ(base::ScreenResolution, Expected("NOMARO_EXPECT_RESOLUTION"));
    start.Unload();
}

TEST(Display, FontSizeOfTheDesktop) {
    EXPECT_EQ(app::gbl_GetFontRes(), Expected("NOMARO_EXPECT_FONTS"));
}
