// The shipped shaders compile and link with Passv.vert on a real GL context without a warning,
// and have the uniforms the game sets. (What they draw is checked where the game uses them: the
// HUD's meter in HudRenderingTest, the bloom chain in WorldGlowTest.)
#include "support/GraphicsFixtures.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
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

    static constexpr int kWidth = 512;
    static constexpr int kHeight = 512;
};

TEST_F(ShaderTest, EveryFragmentShaderCompilesAndLinksWithThePassVertexShader) {
    const struct {
        const char* mShader;
        std::vector<const char*> mUniforms;
    } shaders[] = {
        {"Blitf.frag", {}},
        {"blur.frag", {"uSource", "uCoefficients", "uOffsetX", "uOffsetY"}},
        {"Combine4f.frag",
         {"uPass0", "uPass1", "uPass2", "uPass3", "uRatio0", "uRatio1", "uRatio2", "uRatio3", "uBrightness"}},
        {"ChargeMeter.frag", {"uPower", "uTime"}},
    };
    for (const auto& shader : shaders) {
        SCOPED_TRACE(shader.mShader);
        const GLuint program = Link(shader.mShader);
        for (const char* uniform : shader.mUniforms) {
            EXPECT_GE(glGetUniformLocation(program, uniform), 0) << uniform;
        }
        glDeleteProgram(program);
    }
}

} // namespace
} // namespace Velmora
