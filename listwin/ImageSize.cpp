#include "listwin/ImageSize.h"

#include <initializer_list>
#include <optional>

namespace listwin {
namespace {

// Bytes numbered from 1, as the header layouts count them. A read past the
// end answers nothing.
class Bytes {
public:
    Bytes(const unsigned char* bytes, std::size_t length) : bytes_(bytes), length_(length) {}
    std::optional<int> At(std::size_t position) const {
        if (position - 1 >= length_) return std::nullopt;  // also position 0
        return bytes_[position - 1];
    }
    // high * 256 + low in a signed 16-bit number: nothing when it overflows
    // or a byte is missing.
    std::optional<int> Value16(std::size_t highAt, std::size_t lowAt) const {
        const auto high = At(highAt), low = At(lowAt);
        if (!high || !low || *high >= 128) return std::nullopt;
        return *high * 256 + *low;
    }

private:
    const unsigned char* bytes_;
    std::size_t length_;
};

void SetIfRead(int& target, std::optional<int> value) {
    if (value) target = *value;
}

// Walks the markers from the first one until a start-of-frame marker of types
// 0 to 3 gives the size. Every step moves p forward, and a read past the end
// ends the walk, so it always ends.
void ReadJpeg(const Bytes& b, ImageSize& size) {
    std::size_t p = 3;
    for (;;) {
        // Find the next 255 followed by a byte other than 255; p ends on that
        // second byte, the marker.
        std::optional<int> first, second;
        do {
            first = b.At(p);
            second = b.At(p + 1);
            if (!second) return;  // and first, before it, is there
            ++p;
        } while (*first != 255 || *second == 255);
        // The marker and the seven bytes after it, there when the last is.
        if (!b.At(p + 7)) return;
        const int marker = *b.At(p);
        if (marker >= 192 && marker <= 195) {
            SetIfRead(size.height, b.Value16(p + 4, p + 5));
            SetIfRead(size.width, b.Value16(p + 6, p + 7));
            return;
        }
        // Skip the segment: its length counts from the byte after the marker,
        // so p lands on the 255 of the next marker. A length that does not fit
        // leaves p on the marker and the search goes on from there.
        if (const auto segment = b.Value16(p + 1, p + 2)) p += static_cast<std::size_t>(*segment) + 1;
    }
}

}  // namespace

ImageSize GetImageSize(const unsigned char* bytes, std::size_t length) {
    ImageSize size;
    const Bytes b(bytes, length);
    const auto starts = [&b](std::initializer_list<int> signature) {
        std::size_t at = 1;
        for (int expected : signature)
            if (b.At(at++) != expected) return false;
        return true;
    };
    if (starts({137, 'P', 'N', 'G'})) {
        // The low 16 bits of the big-endian width and height of the first chunk.
        SetIfRead(size.width, b.Value16(19, 20));
        SetIfRead(size.height, b.Value16(23, 24));
    } else if (starts({'G', 'I', 'F', '8'})) {
        SetIfRead(size.width, b.Value16(8, 7));
        SetIfRead(size.height, b.Value16(10, 9));
    } else if (starts({255, 216, 255})) {
        ReadJpeg(b, size);
    }
    return size;
}

}  // namespace listwin
