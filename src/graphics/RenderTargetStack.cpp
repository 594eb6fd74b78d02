#include "graphics/RenderTargetStack.h"

#include "graphics/RenderTarget.h"

#include <GL/glew.h>

#include <cassert>

namespace Velmora::Graphics {

void RenderTargetStack::SetWindowSize(int width, int height) {
    mWindowWidth = width;
    mWindowHeight = height;
}

void RenderTargetStack::Push(const RenderTarget& target) {
    assert(target.IsCreated());
    mTargets.push_back(&target);
    Bind(&target);
}

void RenderTargetStack::Pop() {
    if (!mTargets.empty()) mTargets.pop_back();
    Bind(GetTop());
}

void RenderTargetStack::Bind(const RenderTarget* target) const {
    if (target) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target->GetFramebuffer());
        glViewport(0, 0, target->GetWidth(), target->GetHeight());
        return;
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, mWindowWidth, mWindowHeight);
}

} // namespace Velmora::Graphics
