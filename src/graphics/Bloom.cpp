#include "graphics/Bloom.h"

#include "core/Game.h"
#include "core/LogRecord.h"
#include "debug/PerformanceManager.h"
#include "graphics/GlContext.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace Velmora::Graphics {

namespace {

// Full-screen passes draw in clip space, opaque and unfiltered by the alpha test, with plain
// white as the colour a fixed-function copy multiplies by. Whatever the world pass and the rest
// of the frame had set is put back when the pass ends.
class PassState {
public:
    PassState() {
        glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glActiveTexture(GL_TEXTURE0);
        glEnable(GL_TEXTURE_2D);
        for (const GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) {
            glMatrixMode(matrix);
            glPushMatrix();
            glLoadIdentity();
        }
    }
    ~PassState() {
        ShaderProgram::Unbind();
        for (const GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) {
            glMatrixMode(matrix);
            glPopMatrix();
        }
        glPopAttrib();
    }
    PassState(const PassState&) = delete;
    PassState& operator=(const PassState&) = delete;
};

void DrawFullScreenQuad() {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
}

// The filter of the texture bound to the active unit.
void SetFilter(GLint filter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

std::unique_ptr<ShaderProgram> MakeProgram(const char* fragment) {
    auto program = std::make_unique<ShaderProgram>(fragment, ShaderProgram::kVertexShader, fragment,
                                                   Game::GetInstance().DataPath("shader", ""));
    program->Build();
    return program;
}

} // namespace

Bloom::Bloom() : mTimer(Debug::PerformanceManager::GetInstance().RegisterTimer("Bloom")) {}

Bloom::~Bloom() { Release(); }

bool Bloom::IsSupported(bool openGl20, bool framebufferObjects, const char* vendor) {
    // Intel's drivers stay off the stage even where they offer frame buffer objects: their
    // support was not trusted, and a world drawn plainly beats a glow drawn wrongly.
    return openGl20 && framebufferObjects && vendor && !std::strstr(vendor, "Intel");
}

int Bloom::LevelSize(int size, int level) { return std::max(size >> level, 1); }

float Bloom::EaseTowards(float current, float target) {
    // Steps of 0.05 are not exact in binary: after n of them a value can sit a hair short of a
    // target n steps away, and a strict test would spend one more frame on that hair.
    constexpr float kSlack = 1e-4f;
    if (target - current > kEaseStep + kSlack) return current + kEaseStep;
    if (current - target > kEaseStep + kSlack) return current - kEaseStep;
    return target;
}

void Bloom::Update(const Values& targets) {
    for (int i = 0; i < kValueCount; ++i) mCurrent[i] = EaseTowards(mCurrent[i], targets[i]);
}

void Bloom::Setup(int width, int height) {
    Release();
    ResetCurrent();
    mStack.SetWindowSize(width, height);
    if (!HasGlContext() || width < 1 || height < 1 || !CheckSupport()) return;
    if (!BuildPrograms() || !CreateTargets(width, height)) {
        Release();
        return;
    }
    LookUpUniforms();
    mEnabled = true;
    VELMORA_LOG("GRAPHICS") << "Bloom on at " << width << "x" << height;
}

void Bloom::Release() {
    mEnabled = false;
    mStack.Clear();
    for (int k = 0; k < kLevels; ++k) {
        mTargetsA[k].Release();
        mTargetsB[k].Release();
    }
    mBlit.reset();
    mCombine.reset();
    mBlur.reset();
    mCombineUniforms = CombineUniforms();
    mBlurUniforms = BlurUniforms();
    mBlitSource = -1;
}

bool Bloom::CheckSupport() {
    if (!mGlewStarted) {
        mGlewStarted = true;
        mHasOpenGl20 = glewInit() == GLEW_OK && GLEW_VERSION_2_0;
    }
    const char* vendor = reinterpret_cast<const char*>(glGetString(GL_VENDOR));
    if (IsSupported(mHasOpenGl20, GLEW_EXT_framebuffer_object, vendor)) return true;
    VELMORA_LOG("GRAPHICS") << "Bloom off: " << (mHasOpenGl20 ? "" : "no OpenGL 2.0, ")
                            << (GLEW_EXT_framebuffer_object ? "" : "no GL_EXT_framebuffer_object, ") << "vendor "
                            << (vendor ? vendor : "unknown");
    return false;
}

bool Bloom::BuildPrograms() {
    mBlit = MakeProgram("Blitf.frag");
    mCombine = MakeProgram("Combine4f.frag");
    mBlur = MakeProgram("blur.frag");
    // Downsampling is a plain copy, which the fixed pipeline does as well when the blit program
    // is missing; the blur and the combine have no such stand-in.
    if (mCombine->IsBuilt() && mBlur->IsBuilt()) return true;
    VELMORA_LOG("GRAPHICS") << "Bloom off: its shader programs did not build";
    return false;
}

void Bloom::LookUpUniforms() {
    const GLuint combine = mCombine->mGlId;
    mCombineUniforms.mSource = glGetUniformLocation(combine, "uSource");
    for (int k = 0; k < kLevels; ++k) {
        const std::string index = std::to_string(k);
        mCombineUniforms.mPasses[k] = glGetUniformLocation(combine, ("uPass" + index).c_str());
        mCombineUniforms.mRatios[k] = glGetUniformLocation(combine, ("uRatio" + index).c_str());
    }
    mCombineUniforms.mBrightness = glGetUniformLocation(combine, "uBrightness");
    const GLuint blur = mBlur->mGlId;
    mBlurUniforms.mSource = glGetUniformLocation(blur, "uSource");
    mBlurUniforms.mCoefficients = glGetUniformLocation(blur, "uCoefficients");
    mBlurUniforms.mOffsetX = glGetUniformLocation(blur, "uOffsetX");
    mBlurUniforms.mOffsetY = glGetUniformLocation(blur, "uOffsetY");
    mBlitSource = mBlit->IsBuilt() ? glGetUniformLocation(mBlit->mGlId, "uSource") : -1;
}

bool Bloom::CreateTargets(int width, int height) {
    for (int k = 0; k < kLevels; ++k) {
        const int levelWidth = LevelSize(width, k);
        const int levelHeight = LevelSize(height, k);
        for (RenderTarget* target : {&mTargetsA[k], &mTargetsB[k]}) {
            if (target->Create(levelWidth, levelHeight)) continue;
            VELMORA_LOG("GRAPHICS") << "Bloom off: no complete frame buffer of " << levelWidth << "x" << levelHeight
                                    << " (status 0x" << std::hex << target->GetStatus() << ")";
            return false;
        }
    }
    return true;
}

void Bloom::BeginCapture() {
    if (!mEnabled) return;
    mStack.Push(mTargetsA[0]);
    GLfloat previous[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, previous);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(previous[0], previous[1], previous[2], previous[3]);
}

void Bloom::EndAndCompose(bool worldDrawn) {
    if (!mEnabled) return;
    Debug::ScopedTimer timer(mTimer);
    mStack.Pop();
    if (!worldDrawn) return;
    BlurLevel(0);
    for (int k = 1; k < kLevels; ++k) {
        Downsample(k);
        BlurLevel(k);
    }
    Combine();
}

void Bloom::DrawInto(const RenderTarget& target, unsigned sourceTexture) {
    mStack.Push(target);
    glBindTexture(GL_TEXTURE_2D, sourceTexture);
    DrawFullScreenQuad();
    mStack.Pop();
}

void Bloom::BlurLevel(int level) {
    const RenderTarget& a = mTargetsA[level];
    const RenderTarget& b = mTargetsB[level];
    const PassState state;
    glUseProgram(mBlur->mGlId);
    glUniform1i(mBlurUniforms.mSource, 0);
    glUniform1fv(mBlurUniforms.mCoefficients, 3, mCoefficients.data());
    glUniform1f(mBlurUniforms.mOffsetX, kBlurOffset / static_cast<float>(a.GetWidth()));
    glUniform1f(mBlurUniforms.mOffsetY, 0.0f);
    DrawInto(b, a.GetTexture());
    glUniform1f(mBlurUniforms.mOffsetX, 0.0f);
    glUniform1f(mBlurUniforms.mOffsetY, kBlurOffset / static_cast<float>(b.GetHeight()));
    DrawInto(a, b.GetTexture());
}

void Bloom::Downsample(int level) {
    const PassState state;
    if (mBlit->IsBuilt()) {
        glUseProgram(mBlit->mGlId);
        glUniform1i(mBlitSource, 0);
    }
    DrawInto(mTargetsA[level], mTargetsA[level - 1].GetTexture());
}

void Bloom::Combine() {
    const PassState state;
    glUseProgram(mCombine->mGlId);
    glUniform1i(mCombineUniforms.mSource, 0);
    for (int k = 0; k < kLevels; ++k) {
        glActiveTexture(GL_TEXTURE0 + k);
        glBindTexture(GL_TEXTURE_2D, mTargetsA[k].GetTexture());
        glUniform1i(mCombineUniforms.mPasses[k], k);
        glUniform1f(mCombineUniforms.mRatios[k], mCurrent[k]);
    }
    glUniform1f(mCombineUniforms.mBrightness, mCurrent[kLevels]);
    // Level 0 has the window's size, so every pixel reads its texel at the centre, where the
    // linear filter gives the texel itself; the software rasteriser fetches one texel instead
    // of four with the nearest filter.
    glActiveTexture(GL_TEXTURE0);
    SetFilter(GL_NEAREST);
    DrawFullScreenQuad();
    SetFilter(GL_LINEAR);
    for (int k = kLevels - 1; k >= 0; --k) {
        glActiveTexture(GL_TEXTURE0 + k);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

} // namespace Velmora::Graphics
