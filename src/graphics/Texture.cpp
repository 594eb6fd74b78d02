#include "graphics/Texture.h"

#include "core/LogRecord.h"
#include "core/Path.h"
#include "core/ReadFile.h"
#include "graphics/GlContext.h"

#include <GL/glew.h>
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace Velmora::Graphics {

namespace {

// Far above any picture the game draws; a larger file is broken or hostile, not one to read.
constexpr size_t kMaxImageFileBytes = size_t{64} << 20;

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Channel masks that put the bytes in memory as R, G, B(, A) whatever the machine's byte order.
SDL_Surface* CreateByteOrderSurface(int width, int height, bool alpha) {
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    if (alpha)
        return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
#else
    if (alpha)
        return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
#endif
}

uint32_t BigEndian(const unsigned char* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}
int32_t LittleEndian(const unsigned char* bytes, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return size == 2 ? static_cast<int16_t>(value) : static_cast<int32_t>(value);
}

// The image type SDL_image is to decode ("PNG" or "BMP") with the size its header announces.
// Only these two are read: the game's content and its tools write nothing else, and every
// further decoder SDL_image would try on a file is more code that hostile bytes can reach.
struct ImageHeader {
    const char* mType = nullptr;
    long long mWidth = 0;
    long long mHeight = 0;
};

// True when a BMP's info header describes a layout SDL_image decodes safely: one plane, a known
// header size, a bit depth it reads, a palette that depth can index and a compression that suits that depth. Anything
// else (a depth of thousands of bits, say) reaches code in SDL that was never meant for it.
bool IsPlainBmp(const unsigned char* bytes, size_t got) {
    const int32_t infoSize = LittleEndian(bytes + 14, 4);
    if (infoSize == 12) {
        const int32_t depth = LittleEndian(bytes + 24, 2);
        return LittleEndian(bytes + 22, 2) == 1 && (depth == 1 || depth == 4 || depth == 8 || depth == 24);
    }
    if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124) return false;
    if (got < 50 || LittleEndian(bytes + 26, 2) != 1) return false;
    const int32_t depth = LittleEndian(bytes + 28, 2);
    const int32_t compression = LittleEndian(bytes + 30, 4);
    bool known = false;
    switch (compression) {
        case 0:
            known = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
            break;
        case 1:
            known = depth == 8; // run-length coded bytes
            break;
        case 2:
            known = depth == 4; // run-length coded nibbles
            break;
        case 3:
            known = depth == 16 || depth == 32; // channel masks
            break;
        default:
            break;
    }
    // A palette longer than the depth can index would be read past the surface's palette.
    const uint32_t coloursUsed = static_cast<uint32_t>(LittleEndian(bytes + 46, 4));
    return known && (depth > 8 || coloursUsed <= (1U << depth));
}

ImageHeader ReadHeader(const std::string& file) {
    unsigned char bytes[50] = {};
    const size_t got = std::min(file.size(), sizeof bytes);
    std::memcpy(bytes, file.data(), got);
    if (got >= 24 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(bytes + 12, "IHDR", 4) == 0) {
        return {"PNG", BigEndian(bytes + 16), BigEndian(bytes + 20)};
    }
    if (got >= 26 && bytes[0] == 'B' && bytes[1] == 'M' && IsPlainBmp(bytes, got)) {
        // Old OS/2 headers (12 bytes) keep 16-bit sizes; a negative height is a top-down image.
        const int size = LittleEndian(bytes + 14, 4) == 12 ? 2 : 4;
        return {"BMP", LittleEndian(bytes + 18, size), std::llabs(LittleEndian(bytes + 18 + size, size))};
    }
    return {};
}

// True when every chunk of a PNG, up to and with IEND, lies wholly inside the file. SDL_image
// ignores short reads, so a chunk running past the end would feed libpng stale bytes for as long
// as it asks for more (a 573-byte file kept it inflating for minutes).
bool PngChunksFit(const std::string& file) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    size_t at = 8;
    while (file.size() - at >= 12) {
        const uint64_t length = BigEndian(bytes + at);
        if (length > file.size() - at - 12) return false;
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) return true;
        at += 12 + length;
    }
    return false;
}

// Decodes the file when it is a whole PNG or a plain BMP image of an accepted size.
SDL_Surface* LoadImageFile(const std::string& path) {
    std::string file;
    if (!ReadFileText(path, file, kMaxImageFileBytes)) {
        if (IsRegularFile(path)) VELMORA_LOG("GRAPHICS") << "Image file unreadable or over 64 MB: " << path;
        return nullptr;
    }
    const ImageHeader header = ReadHeader(file);
    if (header.mType == nullptr || header.mWidth < 1 || header.mHeight < 1 || header.mWidth > Texture::kMaxImageSide ||
        header.mHeight > Texture::kMaxImageSide) {
        VELMORA_LOG("GRAPHICS") << "Not a PNG or BMP image of 1 to " << Texture::kMaxImageSide
                                << " pixels a side: " << path;
        return nullptr;
    }
    if (std::strcmp(header.mType, "PNG") == 0 && !PngChunksFit(file)) {
        VELMORA_LOG("GRAPHICS") << "PNG image cut short (a chunk runs past the end of the file): " << path;
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    return source ? IMG_LoadTyped_RW(source, 1, const_cast<char*>(header.mType)) : nullptr;
}

} // namespace

Texture::Texture(std::string name, std::string shaderName, std::string path, ShaderProgram* program)
    : mName(std::move(name)), mShaderName(std::move(shaderName)), mPath(std::move(path)), mProgram(program) {}

Texture::~Texture() { Release(); }

int Texture::PaddedDimension(int value) {
    int padded = 1;
    while (padded < value && padded < (1 << 30)) padded <<= 1;
    return padded;
}

void Texture::SetImageSize(int width, int height) {
    mWidth = width;
    mHeight = height;
    mPaddedWidth = PaddedDimension(width);
    mPaddedHeight = PaddedDimension(height);
    mMaxU = static_cast<double>(width) / mPaddedWidth;
    mMaxV = static_cast<double>(height) / mPaddedHeight;
}

bool Texture::ReadImage(const std::string& path, ImageData& image) {
    const SurfacePtr source(LoadImageFile(path));
    if (!source) return false;
    if (source->w < 1 || source->h < 1 || source->w > kMaxImageSide || source->h > kMaxImageSide) return false;
    image.mWidth = source->w;
    image.mHeight = source->h;
    image.mPaddedWidth = PaddedDimension(source->w);
    image.mPaddedHeight = PaddedDimension(source->h);
    // A colour key is transparency too: keyed pixels are skipped by the blit and stay clear.
    image.mHasAlpha = source->format->Amask != 0 || (source->flags & SDL_SRCCOLORKEY) != 0;

    // Every source format (palettes, BGR, 16 bit) is converted into the canonical byte order
    // by one blit into a zeroed surface of the padded size; with blending off the blit copies.
    const SurfacePtr padded(CreateByteOrderSurface(image.mPaddedWidth, image.mPaddedHeight, image.mHasAlpha));
    if (!padded) return false;
    SDL_FillRect(padded.get(), nullptr, 0);
    SDL_SetAlpha(source.get(), 0, SDL_ALPHA_OPAQUE);
    SDL_Rect where{0, 0, 0, 0};
    if (SDL_BlitSurface(source.get(), nullptr, padded.get(), &where) != 0) return false;

    const size_t rowBytes = static_cast<size_t>(image.mPaddedWidth) * (image.mHasAlpha ? 4 : 3);
    image.mPixels.resize(rowBytes * static_cast<size_t>(image.mPaddedHeight));
    if (SDL_MUSTLOCK(padded.get())) SDL_LockSurface(padded.get());
    const auto* pixels = static_cast<const uint8_t*>(padded->pixels);
    for (int row = 0; row < image.mPaddedHeight; ++row) {
        std::memcpy(&image.mPixels[rowBytes * static_cast<size_t>(row)],
                    pixels + static_cast<size_t>(row) * padded->pitch, rowBytes);
    }
    if (SDL_MUSTLOCK(padded.get())) SDL_UnlockSurface(padded.get());
    return true;
}

bool Texture::Load() {
    mParked = false;
    ImageData image;
    if (!ReadImage(mPath, image)) return false;
    SetImageSize(image.mWidth, image.mHeight);
    Upload(image);
    return true;
}

void Texture::Upload(const ImageData& image) {
    Release();
    mHasAlpha = image.mHasAlpha;
    mOpaque = !image.mHasAlpha && image.mPaddedWidth == image.mWidth && image.mPaddedHeight == image.mHeight;
    if (!HasGlContext()) return;
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = image.mHasAlpha ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.mPaddedWidth, image.mPaddedHeight, 0, format,
                 GL_UNSIGNED_BYTE, image.mPixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    mGlId = id;
}

void Texture::Park() {
    if (mPath.empty() || mParked) return;
    Release();
    mParked = true;
}

size_t Texture::GetUploadBytes() const {
    return static_cast<size_t>(mPaddedWidth) * static_cast<size_t>(mPaddedHeight) * (mHasAlpha ? 4u : 3u);
}

void Texture::Release() {
    if (mGlId != 0 && HasGlContext()) {
        const GLuint id = mGlId;
        glDeleteTextures(1, &id);
    }
    mGlId = 0;
}

} // namespace Velmora::Graphics
