// Arbitrary bytes as an image file through the texture loader's reader (no GL context, so nothing
// is uploaded). Whatever it accepts must be an image within the side limit, padded to powers of
// two, with exactly the pixel bytes that padding asks for.
#include "fuzz/FuzzSupport.h"
#include "graphics/Texture.h"

using namespace Velmora;

namespace {

// The padded side: a power of two, at least the side and at most twice it.
bool PaddedFrom(int padded, int side) { return (padded & (padded - 1)) == 0 && padded >= side && padded <= 2 * side; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const bool quiet = Tests::QuietLog();
    static const std::string path = Tests::ScratchFolder("image") + "/image.png";
    Graphics::ImageData image;
    if (!Graphics::Texture::ReadImage(Tests::WriteInput(path, data, size), image)) return 0;
    const int side = Graphics::Texture::kMaxImageSide;
    if (image.mWidth < 1 || image.mHeight < 1 || image.mWidth > side || image.mHeight > side) std::abort();
    if (!PaddedFrom(image.mPaddedWidth, image.mWidth) || !PaddedFrom(image.mPaddedHeight, image.mHeight)) std::abort();
    const size_t bytes = static_cast<size_t>(image.mPaddedWidth) * image.mPaddedHeight * (image.mHasAlpha ? 4 : 3);
    if (image.mPixels.size() != bytes) std::abort();
    return 0;
}
