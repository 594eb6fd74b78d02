#include "graphics/ShaderProgram.h"

#include "core/LogRecord.h"
#include "core/Path.h"
#include "core/ReadFile.h"
#include "graphics/GlContext.h"

#include <GL/glew.h>

namespace Velmora::Graphics {

namespace {

constexpr size_t kMaxShaderBytes = 1 << 20;

std::string InfoLog(GLuint object, bool isProgram) {
    GLint length = 0;
    if (isProgram)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) return std::string();
    std::string log(static_cast<size_t>(length), '\0');
    if (isProgram)
        glGetProgramInfoLog(object, length, nullptr, log.data());
    else
        glGetShaderInfoLog(object, length, nullptr, log.data());
    log.resize(static_cast<size_t>(length - 1));
    return log;
}

} // namespace

ShaderProgram::ShaderProgram(std::string name, std::string vertexFile, std::string fragmentFile, std::string directory)
    : mName(std::move(name)),
      mVertexFile(std::move(vertexFile)),
      mFragmentFile(std::move(fragmentFile)),
      mDirectory(std::move(directory)) {}

ShaderProgram::~ShaderProgram() { Release(); }

unsigned ShaderProgram::CompileShader(unsigned type, const std::string& file) {
    const std::string path = JoinPath(mDirectory, file);
    std::string source;
    if (!ReadFileText(path, source, kMaxShaderBytes)) {
        VELMORA_LOG("GRAPHICS") << "Failed to read shader " << path;
        return 0;
    }
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        VELMORA_LOG("GRAPHICS") << "Failed to compile shader " << path << ": " << InfoLog(shader, false);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

bool ShaderProgram::Build() {
    Release();
    // Shaders need OpenGL 2.0; without it textures simply draw with the fixed pipeline.
    if (!HasGlContext() || !glCreateShader || !glCreateProgram) return false;
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, mVertexFile);
    const GLuint fragment = vertex ? CompileShader(GL_FRAGMENT_SHADER, mFragmentFile) : 0;
    if (!vertex || !fragment) {
        if (vertex) glDeleteShader(vertex);
        return false;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    // The program keeps the compiled code; the shader objects can go.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        VELMORA_LOG("GRAPHICS") << "Failed to link shader program " << mName << ": " << InfoLog(program, true);
        glDeleteProgram(program);
        return false;
    }
    mGlId = program;
    LookUpLocations();
    return true;
}

void ShaderProgram::Release() {
    if (mGlId != 0 && HasGlContext()) glDeleteProgram(mGlId);
    mGlId = 0;
    for (Uniform& uniform : mUniforms) uniform.mLocation = -1;
}

void ShaderProgram::LookUpLocations() {
    for (Uniform& uniform : mUniforms) {
        uniform.mLocation = mGlId != 0 ? glGetUniformLocation(mGlId, uniform.mName.c_str()) : -1;
    }
}

void ShaderProgram::SetUniform(const std::string& name, float value) {
    for (Uniform& uniform : mUniforms) {
        if (uniform.mName == name) {
            uniform.mValue = value;
            return;
        }
    }
    Uniform uniform{name, -1, value};
    if (mGlId != 0) uniform.mLocation = glGetUniformLocation(mGlId, name.c_str());
    mUniforms.push_back(uniform);
}

float ShaderProgram::GetUniform(const std::string& name) const {
    for (const Uniform& uniform : mUniforms) {
        if (uniform.mName == name) return uniform.mValue;
    }
    return 0.0f;
}

int ShaderProgram::GetUniformLocation(const std::string& name) const {
    for (const Uniform& uniform : mUniforms) {
        if (uniform.mName == name) return uniform.mLocation;
    }
    return -1;
}

void ShaderProgram::Bind() const {
    if (mGlId == 0) return;
    glUseProgram(mGlId);
    for (const Uniform& uniform : mUniforms) {
        if (uniform.mLocation >= 0) glUniform1f(uniform.mLocation, uniform.mValue);
    }
}

void ShaderProgram::Unbind() {
    if (glUseProgram) glUseProgram(0);
}

} // namespace Velmora::Graphics
