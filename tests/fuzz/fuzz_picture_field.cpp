// Feeds arbitrary bytes to everything that reads a stored picture field. Each input must end
// in a picture or in none, never in a crash, a hang or undefined behaviour, and the header
// reader must agree with the header writer.
#include "data/PictureChecks.h"
#include "data/PictureField.h"
#include "ui/PictureCodec.h"

#include <cstdint>
#include <cstdlib>

using namespace hoardly;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView stored(reinterpret_cast<const char*>(data), qsizetype(size));

    const QByteArrayView bitmap = bitmapInPicture(stored);
    if (hasPictureHeader(stored)) {
        require(bitmap.size() == stored.size() - kPictureHeaderSize);
        require(bitmap.data() == stored.data() + kPictureHeaderSize);
        require(bitmap.isEmpty() || framePicture(bitmap) == stored);
    } else {
        require(bitmap.data() == stored.data() && bitmap.size() == stored.size());
        require(stored.isEmpty() || hasPictureHeader(framePicture(stored)));
    }

    isTruncatedPicture(stored);
    const QImage picture = pictureFromField(stored);
    if (!picture.isNull()) {
        // A picture read is whole, down to its last pixel.
        require(!isTruncatedPicture(bitmap));
        picture.pixel(picture.width() - 1, picture.height() - 1);
    }
    return 0;
}
