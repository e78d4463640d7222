// Any bytes at all: the picture-size reader must end, read nothing outside
// the buffer and give sizes a signed 16-bit number can hold.
#include <cstdlib>

#include "listwin/ImageSize.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const listwin::ImageSize image = listwin::GetImageSize(data, size);
    if (image.width < 0 || image.width > 32767 || image.height < 0 || image.height > 32767) std::abort();
    return 0;
}
