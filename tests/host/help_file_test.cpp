// Checks the compiled help file: every topic that a window opens must be a
// page inside Nomaro.chm. The file is listed with enum_chmLib, a CHM reader
// independent of the compiler that built it.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#ifndef NOMARO_CHM_PATH
#error "NOMARO_CHM_PATH must name the compiled help file"
#endif

#ifndef NOMARO_ENUM_CHMLIB
#define NOMARO_ENUM_CHMLIB "enum_chmLib"
#endif

namespace {

// The topics exactly as the windows pass them to the help viewer.
constexpr std::array<const char*, 8> kWindowTopics = {
    "html\\file1vvo.htm",   // start window, F1 on OK
    "html\\file24oj.htm",   // list window, right click on Print
    "html\\file4r77.htm",   // list window, right click on Save to file
    "html\\file3mnn.htm",   // list window, Help menu and toolbar
    "html\\file0soj.htm",   // rename window, Help menu
    "html\\file1v3o.htm",   // Radical Select, F1 on Start
    "html\\file15f8.htm",   // About box, Help button
    "html\\file88z3_a.htm", // Explorer rename window, Help button
};

// A page smaller than this cannot hold a heading and a description.
constexpr long kMinimumPageBytes = 500;

struct ChmListing {
    int exitStatus = -1;
    std::map<std::string, long> fileSizes; // path inside the chm -> bytes
};

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Parses lines of the form
//   "   1    21214     5829   normal file\t\t/html/file0soj.htm"
// and keeps the normal files with their uncompressed length.
void AddListingLine(const std::string& line, ChmListing& listing)
{
    const auto nameStart = line.find_last_of('\t');
    if (nameStart == std::string::npos || line.find("normal file") == std::string::npos)
        return;
    std::istringstream fields(line.substr(0, nameStart));
    long space = 0, start = 0, length = 0;
    if (!(fields >> space >> start >> length))
        return;
    listing.fileSizes[line.substr(nameStart + 1)] = length;
}

ChmListing ListChm(const std::string& chmPath)
{
    ChmListing listing;
    const std::string command = std::string(NOMARO_ENUM_CHMLIB) + " " + ShellQuoted(chmPath) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return listing;
    std::string line;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        line += buffer;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            AddListingLine(line, listing);
            line.clear();
        }
    }
    if (!line.empty())
        AddListingLine(line, listing);
    listing.exitStatus = pclose(pipe);
    return listing;
}

// "html\file1vvo.htm" as the help viewer gets it -> "/html/file1vvo.htm" as stored.
std::string StoredPathOf(const std::string& topic)
{
    std::string path = "/" + topic;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

bool ContainsTopic(const ChmListing& listing, const std::string& topic)
{
    return listing.fileSizes.count(StoredPathOf(topic)) != 0;
}

class HelpFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { listing_ = ListChm(NOMARO_CHM_PATH); }
    static ChmListing listing_;
};

ChmListing HelpFileTest::listing_;

TEST_F(HelpFileTest, ReaderOpensTheCompiledFile)
{
    EXPECT_EQ(listing_.exitStatus, 0) << NOMARO_CHM_PATH;
    EXPECT_FALSE(listing_.fileSizes.empty()) << NOMARO_CHM_PATH;
}

TEST_F(HelpFileTest, EveryWindowTopicIsAPageOfTheFile)
{
    for (const char* topic : kWindowTopics)
        EXPECT_TRUE(ContainsTopic(listing_, topic)) << "missing topic " << StoredPathOf(topic);
}

TEST_F(HelpFileTest, EveryWindowTopicHasContent)
{
    for (const char* topic : kWindowTopics) {
        const auto page = listing_.fileSizes.find(StoredPathOf(topic));
        ASSERT_NE(page, listing_.fileSizes.end()) << "missing topic " << StoredPathOf(topic);
        EXPECT_GE(page->second, kMinimumPageBytes) << StoredPathOf(topic);
    }
}

TEST_F(HelpFileTest, ContentsPageIsInside)
{
    EXPECT_TRUE(ContainsTopic(listing_, "html\\index.htm"));
}

TEST_F(HelpFileTest, TopicThatDoesNotExistIsReportedMissing)
{
    ASSERT_FALSE(listing_.fileSizes.empty());
    EXPECT_FALSE(ContainsTopic(listing_, "html\\file0000.htm"));
    // A near miss must not count either: names are compared whole.
    EXPECT_FALSE(ContainsTopic(listing_, "html\\file88z3.htm"));
}

TEST(HelpFileReader, FileThatDoesNotExistListsNothing)
{
    const ChmListing listing = ListChm(std::string(NOMARO_CHM_PATH) + ".absent");
    EXPECT_TRUE(listing.fileSizes.empty());
    EXPECT_FALSE(ContainsTopic(listing, kWindowTopics[0]));
}

} // namespace
