#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Velmora::Graphics {

class ShaderProgram;

/// Pixels of an image ready for upload: padded to power-of-two dimensions, the image in the
/// top-left corner, the padding zero. Rows are tightly packed, top row first; RGBA bytes when
/// the image has transparency, RGB bytes otherwise.
struct ImageData {
    std::vector<uint8_t> mPixels;
    int mWidth = 0;
    int mHeight = 0;
    int mPaddedWidth = 0;
    int mPaddedHeight = 0;
    bool mHasAlpha = false;
};

/// An image file drawn as a GL texture, optionally with a shader program. Textures are shared
/// and owned by the texture manager; their GL objects are released and recreated around every
/// video mode change, while the object (and every pointer to it) stays.
class Texture {
public:
    /// Largest image side accepted (GL implementations guarantee far less; bigger files are broken).
    static constexpr int kMaxImageSide = 8192;

    /// name: the file name under the image folder ("hud.png"); shaderName: the program drawn
    /// with it, empty for none; path: the file to read; program: that program, or null.
    Texture(std::string name, std::string shaderName, std::string path, ShaderProgram* program);
    virtual ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    /// Reads the file and, when a GL context exists, uploads it (replacing an earlier upload).
    /// False when the file cannot be read as an image; the sizes are then left as they were.
    virtual bool Load();
    /// Deletes the GL texture; sizes and name stay.
    void Release();
    /// Deletes the GL texture of an image file until it is next drawn, when TextureManager::Touch
    /// reads the file again: large pictures that are not on screen for a while (the menu's, during
    /// play) then take no memory. Textures without a file are left as they are.
    void Park();
    bool IsParked() const { return mParked; }
    /// Bytes of the picture as uploaded (padded; 3 or 4 a pixel).
    size_t GetUploadBytes() const;

    /// Records the image's size and derives the padded size and mMaxU, mMaxV.
    void SetImageSize(int width, int height);

    /// The smallest power of two not below the value (1 for values below 1).
    static int PaddedDimension(int value);
    /// Reads an image file with SDL_image into padded pixels. Only PNG and BMP files are read, and
    /// their size is taken from the header before anything is decoded. False when the file cannot
    /// be read or its size is outside 1 … kMaxImageSide; a file that is there but refused is
    /// logged on "GRAPHICS".
    static bool ReadImage(const std::string& path, ImageData& image);

    std::string mName;
    std::string mShaderName;
    std::string mPath;
    unsigned mGlId = 0;
    ShaderProgram* mProgram = nullptr; ///< not owned (the texture manager owns programs)
    int mWidth = 0;
    int mHeight = 0;
    int mPaddedWidth = 0;
    int mPaddedHeight = 0;
    double mMaxU = 1.0; ///< width / padded width
    double mMaxV = 1.0; ///< height / padded height
    /// Every texel, padding included, is fully opaque: the last upload was an image without
    /// transparency that needed no padding. Such a texture can be drawn without blending.
    bool mOpaque = false;
    /// The texture manager's clock when a batch with this texture was last drawn.
    double mLastDrawn = 0.0;

protected:
    /// Creates the GL texture from the pixels (linear filtering). Does nothing without a GL context.
    void Upload(const ImageData& image);

private:
    bool mParked = false;
    bool mHasAlpha = false;
};

} // namespace Velmora::Graphics
