// Checks the data files shipped beside the program: the three tip files and
// the animated busy cursor hourglas.bin.
//
// The program reads a tip file line by line in the ANSI code page (1252 on
// English, German and Swedish systems) and takes every line, an empty one too,
// as a tip; so the files must be cp1252 bytes with CR LF line ends and no empty
// lines. The busy cursor is loaded with LoadCursorFromFile, which reads a RIFF
// 'ACON' file whose frames are complete .cur files; the parser below checks
// that structure without any platform call.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#ifndef NOMARO_TIPS_DIR
#error "NOMARO_TIPS_DIR must name the folder of the tip files"
#endif
#ifndef NOMARO_HOURGLASS
#error "NOMARO_HOURGLASS must name the busy cursor file"
#endif

namespace {

using Bytes = std::string;

Bytes ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned char ByteAt(std::string_view data, size_t i)
{
    return static_cast<unsigned char>(data[i]);
}

// ---------------------------------------------------------------- tip files

const char* const kTipFiles[] = {"TIPOFDAY.TXT", "TIPOFDAY3.TXT", "TIPOFDAY2.TXT"};

// The longest tip the tip window is laid out for.
constexpr size_t kLongestTip = 249;

struct TipLines {
    std::vector<std::string> lines;   // without their line ends
    std::vector<std::string> faults;  // one text per problem found
};

// Splits a tip file into lines. Every line, the last one included, must end
// in CR LF; a lone CR or LF is a fault, and so is an unterminated last line.
TipLines SplitTipLines(std::string_view data)
{
    TipLines result;
    size_t start = 0;
    for (size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') {
            result.lines.emplace_back(data.substr(start, i - start));
            start = i + 2;
            ++i;
        } else if (c == '\r' || c == '\n') {
            result.faults.push_back("lone CR or LF at byte " + std::to_string(i));
        }
    }
    if (start < data.size()) {
        result.lines.emplace_back(data.substr(start));
        result.faults.push_back("last line has no CR LF");
    }
    return result;
}

// Bytes that code page 1252 leaves undefined.
bool IsUndefinedInCp1252(unsigned char b)
{
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// Returns the faults of one line read as cp1252 text: control characters,
// undefined bytes, and byte pairs that are a UTF-8 encoded character (a lead
// byte 0xC2..0xDF followed by a continuation byte 0x80..0xBF, as "ä" = C3 A4).
std::vector<std::string> Cp1252Faults(std::string_view line)
{
    std::vector<std::string> faults;
    for (size_t i = 0; i < line.size(); ++i) {
        const unsigned char b = ByteAt(line, i);
        if (b < 0x20 || b == 0x7F)
            faults.push_back("control byte at " + std::to_string(i));
        else if (IsUndefinedInCp1252(b))
            faults.push_back("undefined cp1252 byte at " + std::to_string(i));
        if (b >= 0xC2 && b <= 0xDF && i + 1 < line.size()) {
            const unsigned char next = ByteAt(line, i + 1);
            if (next >= 0x80 && next <= 0xBF)
                faults.push_back("UTF-8 sequence at " + std::to_string(i));
        }
    }
    return faults;
}

bool ContainsAnyByte(std::string_view data, std::initializer_list<unsigned char> bytes)
{
    for (size_t i = 0; i < data.size(); ++i)
        for (unsigned char b : bytes)
            if (ByteAt(data, i) == b)
                return true;
    return false;
}

std::string TipPath(const char* name)
{
    return std::string(NOMARO_TIPS_DIR) + "/" + name;
}

TEST(TipFileCheck, AcceptsCp1252LinesWithCrLf)
{
    const TipLines tips = SplitTipLines("Gr\xF6\xDF" "e\r\nZweite Zeile\r\n");
    EXPECT_TRUE(tips.faults.empty());
    ASSERT_EQ(tips.lines.size(), 2u);
    EXPECT_EQ(tips.lines[0], "Gr\xF6\xDF" "e");
    EXPECT_TRUE(Cp1252Faults(tips.lines[0]).empty());
}

TEST(TipFileCheck, FindsLoneLineFeedsAndAnUnterminatedLastLine)
{
    EXPECT_FALSE(SplitTipLines("one\ntwo\r\n").faults.empty());
    EXPECT_FALSE(SplitTipLines("one\rtwo\r\n").faults.empty());
    const TipLines tips = SplitTipLines("one\r\ntwo");
    EXPECT_EQ(tips.lines.size(), 2u);
    EXPECT_EQ(tips.faults.size(), 1u);
}

TEST(TipFileCheck, FindsUtf8EncodedUmlautsAndControlBytes)
{
    EXPECT_FALSE(Cp1252Faults("Gr\xC3\xB6\xC3\x9F" "e").empty());   // "Größe" in UTF-8
    EXPECT_FALSE(Cp1252Faults("tab\there").empty());
    EXPECT_FALSE(Cp1252Faults("odd \x81 byte").empty());
}

TEST(TipFiles, EveryLineIsANonEmptyCp1252TipEndingInCrLf)
{
    for (const char* name : kTipFiles) {
        SCOPED_TRACE(name);
        const Bytes data = ReadWholeFile(TipPath(name));
        ASSERT_FALSE(data.empty());
        EXPECT_NE(data.substr(0, 3), "\xEF\xBB\xBF") << "UTF-8 byte order mark";

        const TipLines tips = SplitTipLines(data);
        for (const std::string& fault : tips.faults)
            ADD_FAILURE() << fault;
        EXPECT_GE(tips.lines.size(), 10u);

        std::set<std::string> seen;
        for (size_t n = 0; n < tips.lines.size(); ++n) {
            const std::string& line = tips.lines[n];
            SCOPED_TRACE("line " + std::to_string(n + 1));
            EXPECT_FALSE(line.empty());
            EXPECT_LE(line.size(), kLongestTip);
            EXPECT_NE(line.front(), ' ');
            EXPECT_NE(line.back(), ' ');
            EXPECT_TRUE(seen.insert(line).second) << "tip given twice";
            for (const std::string& fault : Cp1252Faults(line))
                ADD_FAILURE() << fault;
        }
    }
}

TEST(TipFiles, TranslationsUseSingleByteLetters)
{
    const Bytes german = ReadWholeFile(TipPath("TIPOFDAY3.TXT"));
    EXPECT_TRUE(ContainsAnyByte(german, {0xE4, 0xF6, 0xFC, 0xDF, 0xC4, 0xD6, 0xDC}));

    const Bytes swedish = ReadWholeFile(TipPath("TIPOFDAY2.TXT"));
    EXPECT_TRUE(ContainsAnyByte(swedish, {0xE5, 0xE4, 0xF6, 0xC5, 0xC4, 0xD6}));
}

TEST(TipFiles, AllLanguagesHaveTheSameNumberOfTips)
{
    const size_t english = SplitTipLines(ReadWholeFile(TipPath("TIPOFDAY.TXT"))).lines.size();
    EXPECT_GT(english, 0u);
    EXPECT_EQ(SplitTipLines(ReadWholeFile(TipPath("TIPOFDAY3.TXT"))).lines.size(), english);
    EXPECT_EQ(SplitTipLines(ReadWholeFile(TipPath("TIPOFDAY2.TXT"))).lines.size(), english);
}

// ------------------------------------------------------------ busy cursor

constexpr uint32_t kAfIcon = 0x1;
constexpr uint16_t kResourceTypeCursor = 2;

uint16_t Word(std::string_view data, size_t at)
{
    return static_cast<uint16_t>(ByteAt(data, at) | ByteAt(data, at + 1) << 8);
}

uint32_t DWord(std::string_view data, size_t at)
{
    return Word(data, at) | static_cast<uint32_t>(Word(data, at + 2)) << 16;
}

struct CursorImage {
    uint16_t type = 0;
    uint16_t count = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned hotspotX = 0;
    unsigned hotspotY = 0;
    int32_t dibHeight = 0;
    uint16_t bitCount = 0;
    unsigned opaquePixels = 0;        // alpha above 0 and AND mask bit clear
    unsigned transparentPixels = 0;   // alpha 0 and AND mask bit set
};

struct AnimatedCursor {
    std::string error;   // empty when the file is well formed
    uint32_t headerSize = 0, frameCount = 0, stepCount = 0, rate = 0, flags = 0;
    bool hasSequence = false;
    std::vector<CursorImage> frames;
    std::vector<std::string_view> frameBytes;   // views into the parsed file
};

// Reads a .cur file with one 32-bit image. Returns an error text, or empty.
std::string ParseCursorFile(std::string_view cur, CursorImage& image)
{
    if (cur.size() < 6 + 16)
        return "cursor shorter than its directory";
    if (Word(cur, 0) != 0)
        return "cursor directory reserved word not 0";
    image.type = Word(cur, 2);
    image.count = Word(cur, 4);
    if (image.count < 1)
        return "cursor without images";
    image.width = ByteAt(cur, 6) ? ByteAt(cur, 6) : 256;
    image.height = ByteAt(cur, 7) ? ByteAt(cur, 7) : 256;
    image.hotspotX = Word(cur, 10);
    image.hotspotY = Word(cur, 12);
    const uint32_t length = DWord(cur, 14);
    const uint32_t offset = DWord(cur, 18);
    if (offset > cur.size() || length > cur.size() - offset)
        return "cursor image lies outside the file";
    const std::string_view dib = cur.substr(offset, length);
    if (dib.size() < 40 || DWord(dib, 0) != 40)
        return "cursor image has no BITMAPINFOHEADER";
    const int32_t dibWidth = static_cast<int32_t>(DWord(dib, 4));
    image.dibHeight = static_cast<int32_t>(DWord(dib, 8));
    image.bitCount = Word(dib, 14);
    if (dibWidth != static_cast<int32_t>(image.width) || DWord(dib, 16) != 0)
        return "cursor image width or compression does not match";
    if (image.bitCount != 32)
        return "cursor image is not 32-bit";
    if (image.dibHeight != 2 * static_cast<int32_t>(image.height))
        return "cursor image height is not image plus mask";
    const size_t xorBytes = size_t{image.width} * image.height * 4;
    const size_t maskStride = (image.width + 31) / 32 * 4;
    if (dib.size() < 40 + xorBytes + maskStride * image.height)
        return "cursor image shorter than its pixels and mask";
    for (unsigned y = 0; y < image.height; ++y) {
        for (unsigned x = 0; x < image.width; ++x) {
            const unsigned alpha = ByteAt(dib, 40 + (size_t{y} * image.width + x) * 4 + 3);
            const unsigned maskByte = ByteAt(dib, 40 + xorBytes + y * maskStride + x / 8);
            const bool maskSet = (maskByte & (0x80u >> (x % 8))) != 0;
            if (alpha > 0 && !maskSet)
                ++image.opaquePixels;
            if (alpha == 0 && maskSet)
                ++image.transparentPixels;
        }
    }
    return {};
}

// Walks the chunks of a RIFF 'ACON' file: the 'anih' header, the chunks of
// every LIST and the frames of LIST 'fram'. Every chunk must lie inside its
// parent, padded to an even size.
AnimatedCursor ParseAnimatedCursor(std::string_view file)
{
    AnimatedCursor ani;
    auto fail = [&ani](std::string text) {
        ani.error = std::move(text);
        return ani;
    };
    if (file.size() < 12 || file.substr(0, 4) != "RIFF")
        return fail("no RIFF header");
    if (DWord(file, 4) != file.size() - 8)
        return fail("RIFF size does not match the file length");
    if (file.substr(8, 4) != "ACON")
        return fail("form type is not ACON");

    bool haveHeader = false, haveFrames = false;
    size_t at = 12;
    while (at < file.size()) {
        if (file.size() - at < 8)
            return fail("chunk header cut off at " + std::to_string(at));
        const std::string_view id = file.substr(at, 4);
        const uint32_t size = DWord(file, at + 4);
        const size_t padded = size_t{size} + (size & 1);
        if (padded > file.size() - at - 8)
            return fail("chunk runs past the end at " + std::to_string(at));
        const std::string_view body = file.substr(at + 8, size);

        if (id == "anih") {
            if (size != 36)
                return fail("anih chunk is not 36 bytes");
            ani.headerSize = DWord(body, 0);
            ani.frameCount = DWord(body, 4);
            ani.stepCount = DWord(body, 8);
            ani.rate = DWord(body, 28);
            ani.flags = DWord(body, 32);
            haveHeader = true;
        } else if (id == "seq ") {
            ani.hasSequence = true;
        } else if (id == "LIST") {
            if (size < 4)
                return fail("LIST chunk without a list type");
            const bool frames = body.substr(0, 4) == "fram";
            size_t inner = 4;
            while (inner < body.size()) {
                if (body.size() - inner < 8)
                    return fail("chunk header cut off inside a LIST");
                const uint32_t innerSize = DWord(body, inner + 4);
                const size_t innerPadded = size_t{innerSize} + (innerSize & 1);
                if (innerPadded > body.size() - inner - 8)
                    return fail("chunk runs past its LIST at " + std::to_string(at + 8 + inner));
                if (frames) {
                    if (body.substr(inner, 4) != "icon")
                        return fail("frame chunk is not 'icon'");
                    const std::string_view cur = body.substr(inner + 8, innerSize);
                    CursorImage image;
                    const std::string error = ParseCursorFile(cur, image);
                    if (!error.empty())
                        return fail("frame " + std::to_string(ani.frames.size()) + ": " + error);
                    ani.frames.push_back(image);
                    ani.frameBytes.push_back(cur);
                }
                inner += 8 + innerPadded;
            }
            haveFrames = haveFrames || frames;
        }
        at += 8 + padded;
    }
    if (!haveHeader)
        return fail("no anih chunk");
    if (!haveFrames)
        return fail("no LIST fram chunk");
    if (ani.frameCount != ani.frames.size())
        return fail("anih frame count differs from the icon chunks");
    return ani;
}

Bytes HourglassFile()
{
    return ReadWholeFile(NOMARO_HOURGLASS);
}

// Writes the RIFF size of a shortened copy, so that only the inner chunks can
// give the damage away.
Bytes WithRiffSizeOfItsLength(Bytes data)
{
    const uint32_t size = static_cast<uint32_t>(data.size() - 8);
    for (int i = 0; i < 4; ++i)
        data[4 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return data;
}

TEST(BusyCursor, IsAnAnimatedCursorFile)
{
    const Bytes data = HourglassFile();
    ASSERT_GT(data.size(), 12u);
    const AnimatedCursor ani = ParseAnimatedCursor(data);
    ASSERT_EQ(ani.error, "");
    EXPECT_EQ(ani.headerSize, 36u);
    EXPECT_GE(ani.frameCount, 2u);
    EXPECT_EQ(ani.frameCount, ani.frames.size());
    EXPECT_NE(ani.flags & kAfIcon, 0u);
    EXPECT_GT(ani.rate, 0u);
    if (!ani.hasSequence) {
        EXPECT_EQ(ani.stepCount, ani.frameCount);
    }
}

TEST(BusyCursor, EveryFrameIsA32PixelCursorWithItsHotspotInside)
{
    const Bytes data = HourglassFile();
    const AnimatedCursor ani = ParseAnimatedCursor(data);
    ASSERT_EQ(ani.error, "");
    for (size_t i = 0; i < ani.frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const CursorImage& frame = ani.frames[i];
        EXPECT_EQ(frame.type, kResourceTypeCursor);
        EXPECT_EQ(frame.count, 1u);
        EXPECT_EQ(frame.width, 32u);
        EXPECT_EQ(frame.height, 32u);
        EXPECT_LT(frame.hotspotX, frame.width);
        EXPECT_LT(frame.hotspotY, frame.height);
        EXPECT_EQ(frame.dibHeight, 64);
        // A picture, not an empty or a solid square; mask and alpha agree.
        EXPECT_GT(frame.opaquePixels, 100u);
        EXPECT_GT(frame.transparentPixels, 100u);
        EXPECT_EQ(frame.opaquePixels + frame.transparentPixels, 32u * 32u)
            << "pixels whose AND mask contradicts their alpha";
    }
}

TEST(BusyCursor, FramesAreDifferentPictures)
{
    const Bytes data = HourglassFile();
    const AnimatedCursor ani = ParseAnimatedCursor(data);
    ASSERT_EQ(ani.error, "");
    const std::set<std::string_view> distinct(ani.frameBytes.begin(), ani.frameBytes.end());
    EXPECT_EQ(distinct.size(), ani.frameBytes.size());
}

TEST(BusyCursor, TruncatedCopiesAreInvalid)
{
    const Bytes data = HourglassFile();
    ASSERT_EQ(ParseAnimatedCursor(data).error, "");
    const size_t cuts[] = {0, 4, 11, 12, 30, 60, data.size() / 3, data.size() / 2, data.size() - 1};
    for (size_t cut : cuts) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        const Bytes shortened = data.substr(0, cut);
        EXPECT_NE(ParseAnimatedCursor(shortened).error, "");
        if (cut >= 8) {
            EXPECT_NE(ParseAnimatedCursor(WithRiffSizeOfItsLength(shortened)).error, "");
        }
    }
}

TEST(BusyCursor, WrongFrameCountIsInvalid)
{
    Bytes data = HourglassFile();
    const size_t anih = data.find("anih");
    ASSERT_NE(anih, Bytes::npos);
    data[anih + 8 + 4] = static_cast<char>(data[anih + 8 + 4] + 1);   // nFrames + 1
    EXPECT_NE(ParseAnimatedCursor(data).error, "");
}

}  // namespace
