// Arbitrary bytes as an image file through the texture loader's reader (no GL context, so nothing
// is uploaded). Whatever it accepts must be an image within the side limit, padded to powers of
// two, with exactly the pixel bytes that padding asks for.
#include "core/LogRecord.h"
#include "fuzz/ScratchFile.h"
#include "graphics/Texture.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace Velmora;

namespace {

const std::string& ImagePath() {
    static const std::string path = [] {
        LogRecord::SetCriticalHandler([](const std::string&) {});
        return Tests::ScratchFolder("image") + "/image.png";
    }();
    return path;
}

bool IsPowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = ImagePath();
    Tests::WriteInput(path, data, size);

    Graphics::ImageData image;
    if (!Graphics::Texture::ReadImage(path, image)) return 0;
    const int side = Graphics::Texture::kMaxImageSide;
    if (image.mWidth < 1 || image.mHeight < 1 || image.mWidth > side || image.mHeight > side) std::abort();
    if (!IsPowerOfTwo(image.mPaddedWidth) || !IsPowerOfTwo(image.mPaddedHeight)) std::abort();
    if (image.mPaddedWidth < image.mWidth || image.mPaddedWidth >= 2 * image.mWidth + 1) std::abort();
    if (image.mPaddedHeight < image.mHeight || image.mPaddedHeight >= 2 * image.mHeight + 1) std::abort();
    const size_t bytes = static_cast<size_t>(image.mPaddedWidth) * image.mPaddedHeight * (image.mHasAlpha ? 4 : 3);
    if (image.mPixels.size() != bytes) std::abort();
    return 0;
}
