#pragma once

namespace Velmora::Graphics {

/// An off-screen drawing surface: a frame buffer object with one RGBA colour texture,
/// linearly filtered and clamped at the edges so it can be read back as a texture by the next
/// pass. Owns its GL objects; they belong to the context they were made in and must be released
/// before that context goes away.
class RenderTarget {
public:
    RenderTarget() = default;
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    /// Builds the texture and frame buffer at width × height pixels, replacing an earlier
    /// build. Needs a GL context with frame buffer objects. False (and nothing kept) when a side
    /// is below 1 or above the implementation's largest texture, or when the driver reports the
    /// frame buffer incomplete; GetStatus then tells why.
    bool Create(int width, int height);
    /// Deletes the GL objects (when a context exists); the target is then unbuilt.
    void Release();

    bool IsCreated() const { return mFramebuffer != 0; }
    /// The colour texture, 0 when unbuilt.
    unsigned GetTexture() const { return mTexture; }
    /// The frame buffer object, 0 when unbuilt.
    unsigned GetFramebuffer() const { return mFramebuffer; }
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    /// The frame buffer status of the last Create (GL_FRAMEBUFFER_COMPLETE_EXT on success, 0 when
    /// the size was refused before asking the driver).
    unsigned GetStatus() const { return mStatus; }

private:
    unsigned mFramebuffer = 0;
    unsigned mTexture = 0;
    int mWidth = 0;
    int mHeight = 0;
    unsigned mStatus = 0;
};

} // namespace Velmora::Graphics
