// The shipped shaders compile and link with Passv.vert on a real GL context, the charge meter
// responds to uPower, and the bloom chain run on a real scene image adds glow without washing out.
#include "support/GraphicsFixtures.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace Velmora {
namespace {

std::string ReadShader(const std::string& name) {
    std::ifstream in(Tests::SourceDir() + "/data/shader/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Expects the status of a shader or program to be set and its log to name no error or warning.
template <class GetStatus, class GetLog>
void ExpectClean(GLuint object, GLenum status, GetStatus getStatus, GetLog getLog, const std::string& name) {
    GLint ok = 0, length = 0;
    getStatus(object, status, &ok);
    getStatus(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(std::max(length, 1)), '\0');
    getLog(object, length, nullptr, log.data());
    EXPECT_TRUE(ok) << name << ": " << log;
    EXPECT_EQ(log.find("rror"), std::string::npos) << name << ": " << log;
    EXPECT_EQ(log.find("arning"), std::string::npos) << name << ": " << log;
}

GLuint Compile(GLenum type, const std::string& name) {
    const std::string source = ReadShader(name);
    EXPECT_FALSE(source.empty()) << name;
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    ExpectClean(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, name);
    return shader;
}

GLuint Link(const std::string& fragment) {
    const GLuint program = glCreateProgram();
    glAttachShader(program, Compile(GL_VERTEX_SHADER, "Passv.vert"));
    glAttachShader(program, Compile(GL_FRAGMENT_SHADER, fragment));
    glLinkProgram(program);
    ExpectClean(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, fragment);
    return program;
}

struct Image {
    int mWidth = 0;
    int mHeight = 0;
    std::vector<unsigned char> mRgba;
};

Image LoadImage(const std::string& path) {
    Image image;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) {
        ADD_FAILURE() << "cannot load " << path;
        return image;
    }
    SDL_Surface* rgba =
        SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    SDL_SetAlpha(loaded, 0, 255);
    SDL_BlitSurface(loaded, nullptr, rgba, nullptr);
    image.mWidth = rgba->w;
    image.mHeight = rgba->h;
    image.mRgba.resize(static_cast<size_t>(rgba->w) * rgba->h * 4);
    for (int y = 0; y < rgba->h; ++y) {
        std::memcpy(&image.mRgba[static_cast<size_t>(y) * rgba->w * 4],
                    static_cast<unsigned char*>(rgba->pixels) + y * rgba->pitch, static_cast<size_t>(rgba->w) * 4);
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(loaded);
    return image;
}

GLuint Upload(const Image& image) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.mWidth, image.mHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.mRgba.data());
    return texture;
}

// Draws a textured quad over the current viewport; `flipped` puts v = 0 at the top, as the
// game's batches do.
void Quad(bool flipped) {
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    glBegin(GL_QUADS);
    for (const auto& [u, v] : corners) {
        glTexCoord2f(u, flipped ? 1 - v : v);
        glVertex2f(2 * u - 1, 2 * v - 1);
    }
    glEnd();
}

std::vector<unsigned char> ReadPixels(int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class ShaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) {
            ASSERT_EQ(::Velmora::Tests::InitVideoSubsystem(), 0) << SDL_GetError();
        }
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        ASSERT_NE(SDL_SetVideoMode(kWidth, kHeight, 0, SDL_OPENGL), nullptr) << SDL_GetError();
        ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
        ASSERT_TRUE(GLEW_VERSION_2_0);
    }
    // The video subsystem stays up to the end of the process: shutting it down unloads the GL
    // driver, and the leak checker could then no longer tell the driver's own allocations apart.

    void SetUp() override {
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    static constexpr int kWidth = 512;
    static constexpr int kHeight = 512;
};

TEST_F(ShaderTest, EveryFragmentShaderCompilesAndLinksWithThePassVertexShader) {
    for (const char* name : {"Blitf.frag", "blur.frag", "Combine4f.frag", "ChargeMeter.frag"}) {
        SCOPED_TRACE(name);
        const GLuint program = Link(name);
        glDeleteProgram(program);
    }
    const GLuint blur = Link("blur.frag");
    for (const char* uniform : {"uSource", "uCoefficients", "uOffsetX", "uOffsetY"}) {
        EXPECT_GE(glGetUniformLocation(blur, uniform), 0) << uniform;
    }
    const GLuint combine = Link("Combine4f.frag");
    for (const char* uniform :
         {"uPass0", "uPass1", "uPass2", "uPass3", "uRatio0", "uRatio1", "uRatio2", "uRatio3", "uBrightness"}) {
        EXPECT_GE(glGetUniformLocation(combine, uniform), 0) << uniform;
    }
    const GLuint meter = Link("ChargeMeter.frag");
    EXPECT_GE(glGetUniformLocation(meter, "uPower"), 0);
    EXPECT_GE(glGetUniformLocation(meter, "uTime"), 0);
}

// Brightness of the meter's row at fractions of the slot, drawn over black as on an 11:1 bar.
std::vector<int> MeterRow(GLuint program, GLuint hud, float power, float time) {
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, 512, 46);
    glUseProgram(program);
    glUniform1f(glGetUniformLocation(program, "uPower"), power);
    glUniform1f(glGetUniformLocation(program, "uTime"), time);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, hud);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.1f, 0.1f, 1.0f, 1.0f);
    Quad(true);
    glUseProgram(0);
    const std::vector<unsigned char> pixels = ReadPixels(512, 46);
    std::vector<int> row;
    const int y = 46 - static_cast<int>(46 * 48.0 / 92.0); // the slot's middle, window rows go up
    for (double f : {0.1, 0.4, 0.6, 0.9}) {
        const int x = static_cast<int>(512 * (131.0 + f * 866.0) / 1024.0);
        const unsigned char* p = &pixels[(static_cast<size_t>(y) * 512 + x) * 4];
        row.push_back(p[0] + p[1] + p[2]);
    }
    return row;
}

TEST_F(ShaderTest, ChargeMeterFillsWithPowerAndShowsTheTint) {
    const GLuint program = Link("ChargeMeter.frag");
    const GLuint hud = Upload(LoadImage(Tests::SourceDir() + "/data/image/hud.png"));
    const std::vector<int> empty = MeterRow(program, hud, -1.0f, 0.0f);
    const std::vector<int> reloading = MeterRow(program, hud, -0.5f, 0.0f);
    const std::vector<int> ready = MeterRow(program, hud, 0.0f, 0.0f);
    const std::vector<int> full = MeterRow(program, hud, 1.0f, 0.0f);
    for (int v : empty) EXPECT_LT(v, 30);
    EXPECT_GT(reloading[0], 150);      // a quarter filled: the first tenth is lit,
    EXPECT_LT(reloading[1], 30);       // four tenths not yet
    EXPECT_GT(ready[1], reloading[0]); // a ready gun's reload half is brighter than a reloading one
    EXPECT_LT(ready[2], 30);
    EXPECT_GT(full[2], 150);
    EXPECT_GT(full[3], 150);
    // Blue tint: the blue channel dominates.
    MeterRow(program, hud, 1.0f, 0.0f);
    unsigned char p[4];
    glReadPixels(256, 46 - 24, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    EXPECT_GT(p[2], p[0]);
    // The shimmer moves with time.
    int changed = 0;
    const std::vector<int> later = MeterRow(program, hud, 1.0f, 0.25f);
    for (size_t i = 2; i < later.size(); ++i) changed += later[i] != full[i];
    EXPECT_GT(changed, 0);
    glDeleteTextures(1, &hud);
    glDeleteProgram(program);
}

struct Target {
    GLuint mFbo = 0;
    GLuint mTexture = 0;
    int mWidth = 0;
    int mHeight = 0;
};

Target MakeTarget(int width, int height) {
    Target target{0, 0, width, height};
    glGenTextures(1, &target.mTexture);
    glBindTexture(GL_TEXTURE_2D, target.mTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffersEXT(1, &target.mFbo);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.mFbo);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, target.mTexture, 0);
    EXPECT_EQ(glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT));
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    return target;
}

// Draws `source` through `program` into `target` (0 = the window).
void Pass(GLuint program, GLuint source, const Target* target) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target ? target->mFbo : 0);
    glViewport(0, 0, target ? target->mWidth : 512, target ? target->mHeight : 512);
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, source);
    Quad(false);
    glUseProgram(0);
}

void Blur(GLuint blur, const Target& a, const Target& b) {
    const float weights[3] = {0.3125f, 0.375f, 0.3125f};
    glUseProgram(blur);
    glUniform1i(glGetUniformLocation(blur, "uSource"), 0);
    glUniform1fv(glGetUniformLocation(blur, "uCoefficients"), 3, weights);
    glUniform1f(glGetUniformLocation(blur, "uOffsetX"), 1.2f / a.mWidth);
    glUniform1f(glGetUniformLocation(blur, "uOffsetY"), 0.0f);
    Pass(blur, a.mTexture, &b);
    glUseProgram(blur);
    glUniform1f(glGetUniformLocation(blur, "uOffsetX"), 0.0f);
    glUniform1f(glGetUniformLocation(blur, "uOffsetY"), 1.2f / b.mHeight);
    Pass(blur, b.mTexture, &a);
}

double MeanLevel(const std::vector<unsigned char>& rgba) {
    double sum = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        sum += (rgba[i] + rgba[i + 1] + rgba[i + 2]) / 3.0;
    }
    return sum / (rgba.size() / 4);
}

double ClippedShare(const std::vector<unsigned char>& rgba) {
    size_t clipped = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        clipped += rgba[i] >= 252 && rgba[i + 1] >= 252 && rgba[i + 2] >= 252;
    }
    return static_cast<double>(clipped) / (rgba.size() / 4);
}

TEST_F(ShaderTest, BloomWithTheDefaultWeightsLooksLikeTheSceneWithAGlow) {
    ASSERT_TRUE(GLEW_EXT_framebuffer_object);
    const GLuint blit = Link("Blitf.frag");
    const GLuint blur = Link("blur.frag");
    const GLuint combine = Link("Combine4f.frag");
    // The menu background is a rendered level: dark rooms, neon rings and lit cones.
    const GLuint scene = Upload(LoadImage(Tests::SourceDir() + "/data/image/roomrender.png"));
    Target a[4], b[4];
    for (int k = 0; k < 4; ++k) {
        a[k] = MakeTarget(512 >> k, 512 >> k);
        b[k] = MakeTarget(512 >> k, 512 >> k);
    }
    Pass(blit, scene, &a[0]);
    const std::vector<unsigned char> source = ReadPixels(512, 512);
    Blur(blur, a[0], b[0]);
    for (int k = 1; k < 4; ++k) {
        Pass(blit, a[k - 1].mTexture, &a[k]);
        Blur(blur, a[k], b[k]);
    }
    glUseProgram(combine);
    const float ratios[4] = {1.5f, -1.0f, 0.5f, 0.5f};
    for (int k = 0; k < 4; ++k) {
        const std::string index = std::to_string(k);
        glUniform1i(glGetUniformLocation(combine, ("uPass" + index).c_str()), k);
        glUniform1f(glGetUniformLocation(combine, ("uRatio" + index).c_str()), ratios[k]);
        glActiveTexture(GL_TEXTURE0 + k);
        glBindTexture(GL_TEXTURE_2D, a[k].mTexture);
    }
    glUniform1f(glGetUniformLocation(combine, "uBrightness"), 1.2f);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, 512, 512);
    glActiveTexture(GL_TEXTURE0);
    Quad(false);
    glUseProgram(0);
    const std::vector<unsigned char> result = ReadPixels(512, 512);
    const double ratio = MeanLevel(result) / MeanLevel(source);
    EXPECT_GT(ratio, 1.0);  // the glow adds light...
    EXPECT_LT(ratio, 1.45); // ...but the scene is not flooded
    EXPECT_LT(ClippedShare(result), 0.01);
    // The scene stays recognisable: most pixels keep close to their own level.
    size_t close = 0;
    for (size_t i = 0; i < result.size(); i += 4) {
        close += std::abs(static_cast<int>(result[i + 2]) - static_cast<int>(source[i + 2])) < 40;
    }
    EXPECT_GT(static_cast<double>(close) / (result.size() / 4), 0.9);
}

} // namespace
} // namespace Velmora
