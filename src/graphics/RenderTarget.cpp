#include "graphics/RenderTarget.h"

#include "graphics/GlContext.h"

#include <GL/glew.h>

namespace Velmora::Graphics {

RenderTarget::~RenderTarget() { Release(); }

bool RenderTarget::Create(int width, int height) {
    Release();
    mStatus = 0;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    // A zero-sized texture leaves the frame buffer incomplete, and one beyond the limit fails to
    // allocate: neither is handed to the driver.
    if (width < 1 || height < 1 || width > largest || height > largest) return false;

    glGenTextures(1, &mTexture);
    glBindTexture(GL_TEXTURE_2D, mTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);

    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &previous);
    glGenFramebuffersEXT(1, &mFramebuffer);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, mFramebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, mTexture, 0);
    mStatus = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(previous));
    if (mStatus != GL_FRAMEBUFFER_COMPLETE_EXT) {
        const unsigned status = mStatus;
        Release();
        mStatus = status;
        return false;
    }
    mWidth = width;
    mHeight = height;
    return true;
}

void RenderTarget::Release() {
    if (HasGlContext()) {
        if (mFramebuffer != 0) glDeleteFramebuffersEXT(1, &mFramebuffer);
        if (mTexture != 0) glDeleteTextures(1, &mTexture);
    }
    mFramebuffer = 0;
    mTexture = 0;
    mWidth = 0;
    mHeight = 0;
}

} // namespace Velmora::Graphics
