// Picture sizes read from real files made by ImageMagick
// (tests/host/data/make-pictures.sh), from their truncated copies and from
// headers changed byte by byte.
#include "listwin/ImageSize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using listwin::GetImageSize;
using listwin::ImageSize;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadData(const std::string& name) {
    std::ifstream in(std::string(NOMARO_TEST_DATA) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ImageSize SizeOf(const Bytes& bytes, std::size_t length) { return GetImageSize(bytes.data(), length); }
ImageSize SizeOf(const Bytes& bytes) { return SizeOf(bytes, bytes.size()); }

// Offset of the first start-of-frame marker byte (the one after 255).
std::size_t FrameMarker(const Bytes& jpeg) {
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 255 && jpeg[i + 1] >= 0xC0 && jpeg[i + 1] <= 0xC3) return i + 1;
    ADD_FAILURE() << "no frame marker";
    return 0;
}

}  // namespace

// Every prefix of every file: no value before its bytes are all there, the
// value once they are. `width from` / `height from` are the lengths at which
// each value becomes readable.
TEST(ImageSize, RealFilesAndEveryTruncation) {
    auto frame = [](const char* file) { return FrameMarker(ReadData(file)) + 8; };
    const struct {
        const char* file;
        ImageSize size;
        std::size_t widthFrom, heightFrom;
    } cases[] = {
        {"baseline.jpg", {321, 257}, frame("baseline.jpg"), frame("baseline.jpg")},
        {"progressive.jpg", {321, 257}, frame("progressive.jpg"), frame("progressive.jpg")},
        {"commented.jpg", {40, 30}, frame("commented.jpg"), frame("commented.jpg")},
        {"gif87a.gif", {300, 2}, 8, 10},
        {"gif89a.gif", {2, 300}, 8, 10},
        {"small.png", {1000, 700}, 20, 24},
        // 40000 wide: the high byte of the low 16 bits is 0x9C, so no width.
        {"wide40000.png", {0, 1}, 20, 24},
        // 70000 wide: only the low 16 bits, 4464, are read.
        {"wide70000.png", {4464, 1}, 20, 24},
        {"picture.bmp", {0, 0}, 0, 0},
    };
    for (const auto& c : cases) {
        const Bytes bytes = ReadData(c.file);
        ASSERT_GT(bytes.size(), c.heightFrom);
        EXPECT_EQ(SizeOf(bytes), c.size) << c.file;
        for (std::size_t length = 0; length <= bytes.size(); ++length) {
            const ImageSize expected{length >= c.widthFrom ? c.size.width : 0,
                                     length >= c.heightFrom ? c.size.height : 0};
            ASSERT_EQ(SizeOf(bytes, length), expected) << c.file << " cut to " << length;
        }
    }
}

// Only start-of-frame markers of types 0 to 3 give the size; a JPEG whose
// only frame is of another type reports nothing.
TEST(ImageSize, JpegFrameTypes) {
    const Bytes real = ReadData("baseline.jpg");
    const std::size_t marker = FrameMarker(real);
    for (int type = 0xC0; type <= 0xCF; ++type) {
        if (type == 0xC4 || type == 0xCC) continue;  // tables, not frames
        Bytes jpeg = real;
        jpeg[marker] = static_cast<unsigned char>(type);
        EXPECT_EQ(SizeOf(jpeg), (type <= 0xC3 ? ImageSize{321, 257} : ImageSize{0, 0})) << std::hex << type;
    }
}

// Each value is formed in a signed 16-bit number: a high byte of 128 or more
// leaves that value 0, and the other value is still read.
TEST(ImageSize, ValuesBeyondSigned16BitsStayZero) {
    auto after = [](const Bytes& head) {
        return [head](const Bytes& size) { Bytes b = head; b.insert(b.end(), size.begin(), size.end()); return b; };
    };
    const auto png = after({137, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
    const auto gif = after({'G', 'I', 'F', '8', '9', 'a'});
    const auto jpeg = after({255, 216, 255, 254, 0, 4, 'h', 'i', 255, 192, 0, 17, 8});  // a comment, then a frame
    const struct {
        const char* what;
        Bytes bytes;
        ImageSize size;
    } cases[] = {
        {"png 32767 x 32767", png({0, 0, 127, 255, 0, 0, 127, 255}), {32767, 32767}},
        {"png width 32768", png({0, 0, 128, 0, 0, 0, 0, 5}), {0, 5}},
        {"png height 65535", png({0, 0, 0, 9, 0, 0, 255, 255}), {9, 0}},
        {"png high 16 bits ignored", png({1, 2, 0, 9, 3, 4, 0, 7}), {9, 7}},
        {"gif 32767 x 1", gif({255, 127, 1, 0}), {32767, 1}},
        {"gif width 32768", gif({0, 128, 1, 0}), {0, 1}},
        {"gif height 65535", gif({1, 0, 255, 255}), {1, 0}},
        {"jpeg 300 x 200", jpeg({0, 200, 1, 44}), {300, 200}},
        {"jpeg height 32768", jpeg({128, 0, 1, 44}), {300, 0}},
        {"jpeg width 40000", jpeg({0, 200, 156, 64}), {0, 200}},
    };
    for (const auto& c : cases) EXPECT_EQ(SizeOf(c.bytes), c.size) << c.what;
}

// The marker walk: fill bytes before a marker, segments skipped by their
// length, a length too large for 16 bits, lengths that run off the end.
TEST(ImageSize, JpegMarkerWalk) {
    const Bytes frame = {255, 192, 0, 17, 8, 0, 20, 0, 30};
    auto join = [&frame](Bytes head, bool withFrame = true) {
        if (withFrame) head.insert(head.end(), frame.begin(), frame.end());
        return head;
    };
    // A comment holding what looks like a frame marker: skipped unread.
    const Bytes decoy = {255, 216, 255, 254, 0, 11, 255, 193, 0, 17, 8, 0, 9, 0, 9};
    // A comment longer than 32767 bytes: its length does not fit, so the
    // search goes on inside it, here finding a frame in its text; without
    // one, it finds the frame after the comment.
    Bytes longComment = {255, 216, 255, 254, 0x90, 0};
    longComment.resize(6 + 0x9000 - 2, 'x');
    Bytes longDecoy = longComment;
    const Bytes decoyFrame = {255, 193, 0, 17, 8, 0, 7, 0, 5};
    std::copy(decoyFrame.begin(), decoyFrame.end(), longDecoy.begin() + 100);
    const struct {
        const char* what;
        Bytes bytes;
        ImageSize size;
    } cases[] = {
        {"frame first", join({255, 216}), {30, 20}},
        {"fill bytes", join({255, 216, 255, 255, 255, 255, 254, 0, 2}), {30, 20}},
        {"fill byte before a low marker", join({255, 216, 255, 255, 1, 0, 2}), {30, 20}},
        {"length one short: lands past a 255", join({255, 216, 255, 254, 0, 4, 'a', 255, 193, 0, 17, 8, 0, 9, 0, 9}),
         {30, 20}},
        {"zero-length segment", join({255, 216, 255, 224, 0, 0, 255, 254, 0, 2}), {30, 20}},
        {"decoy inside a segment", join(decoy), {30, 20}},
        {"long comment", join(longComment), {30, 20}},
        {"frame inside a long comment", join(longDecoy), {5, 7}},
        {"segment runs off the end", join({255, 216, 255, 224, 0, 200}), {0, 0}},
        {"no frame", join({255, 216, 255, 224, 0, 2, 255, 217, 0, 0, 0, 0, 0, 0, 0}, false), {0, 0}},
        {"only fill bytes", join({255, 216, 255, 255, 255, 255, 255, 255, 255, 255, 255}, false), {0, 0}},
        {"not a jpeg start", join({255, 216, 0, 216}), {0, 0}},
        {"not a jpeg start either", join({255, 217, 255, 216}), {0, 0}},
        {"not a jpeg start at all", join({254, 216, 255, 216}), {0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(SizeOf(c.bytes), c.size) << c.what;
}

TEST(ImageSize, SignaturesMustMatchWholly) {
    const Bytes gif = ReadData("gif87a.gif");
    const Bytes png = ReadData("small.png");
    for (std::size_t i = 0; i < 4; ++i) {
        Bytes changed = gif;
        changed[i] ^= 0x20;
        EXPECT_EQ(SizeOf(changed), (ImageSize{0, 0})) << "gif byte " << i;
        changed = png;
        changed[i] ^= 0x20;
        EXPECT_EQ(SizeOf(changed), (ImageSize{0, 0})) << "png byte " << i;
    }
    EXPECT_EQ(GetImageSize(nullptr, 0), (ImageSize{0, 0}));
}
