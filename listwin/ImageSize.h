// Width and height in pixels of a picture, read from the first bytes of its
// file: PNG, GIF and JPEG headers are understood, everything else is 0 x 0.
// Portable: works on bytes the caller has read, never past their end.
#pragma once
#include <cstddef>
#include <cstdint>

namespace listwin {

struct ImageSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImageSize&) const = default;
};

// Reads the size from the picture's file contents. Never fails: a short or
// damaged file, or one of another format, leaves the values that could not be
// read at 0. Each value is formed as high byte * 256 + low byte in a signed
// 16-bit number, so one whose high byte is 128 or more does not fit and stays
// 0; the other value is still read.
ImageSize GetImageSize(const unsigned char* bytes, std::size_t length);

}  // namespace listwin
