#include "graphics/Bloom.h"

namespace Velmora::Graphics {

void Bloom::Setup(int width, int height) {
    ResetCurrent();
    mWidth = width;
    mHeight = height;
    // No off-screen buffers are built yet, so the world goes straight to the window.
    mEnabled = false;
}

void Bloom::Release() { mEnabled = false; }

void Bloom::BeginCapture() {}

void Bloom::EndAndCompose() {}

} // namespace Velmora::Graphics
