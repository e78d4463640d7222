// Checks the compiled help file: every topic that a window opens must be a
// page with content inside Nomaro.chm. The file is listed with enum_chmLib, a
// CHM reader independent of the compiler that built it.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

namespace {

// Path inside the file -> uncompressed length, from lines of the form
//   "   1    21214     5829   normal file\t\t/html/file0soj.htm"
// Returns the reader's exit status.
int ListChm(const std::string& chmPath, std::map<std::string, long>& pages) {
    FILE* pipe = popen(("enum_chmLib '" + chmPath + "' 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[1024];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        std::string line = buffer;
        if (!line.empty() && line.back() == '\n') line.pop_back();
        const size_t name = line.find_last_of('\t');
        long space = 0, start = 0, length = 0;
        if (name != std::string::npos && line.find("normal file") != std::string::npos &&
            std::istringstream(line.substr(0, name)) >> space >> start >> length)
            pages[line.substr(name + 1)] = length;
    }
    return pclose(pipe);
}

}  // namespace

TEST(HelpFile, EveryWindowTopicIsAPageWithContent) {
    std::map<std::string, long> pages;
    ASSERT_EQ(ListChm(NOMARO_CHM_PATH, pages), 0) << NOMARO_CHM_PATH;
    // The topics as the windows pass them to the help viewer ("html\file1vvo.htm"),
    // stored in the file as "/html/file1vvo.htm".
    for (const char* page : {
             "/html/file1vvo.htm",    // start window, F1 on OK
             "/html/file24oj.htm",    // list window, right click on Print
             "/html/file4r77.htm",    // list window, right click on Save to file
             "/html/file3mnn.htm",    // list window, Help menu and toolbar
             "/html/file0soj.htm",    // rename window, Help menu
             "/html/file1v3o.htm",    // Radical Select, F1 on Start
             "/html/file15f8.htm",    // About box, Help button
             "/html/file88z3_a.htm",  // Explorer rename window, Help button
             "/html/index.htm",       // contents
         }) {
        const auto found = pages.find(page);
        ASSERT_NE(found, pages.end()) << "missing topic " << page;
        // A smaller page cannot hold a heading and a description.
        EXPECT_GE(found->second, 500) << page;
    }
    EXPECT_EQ(pages.count("/html/file0000.htm"), 0u);
}
