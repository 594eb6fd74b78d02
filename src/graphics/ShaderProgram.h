#pragma once

#include <string>
#include <vector>

namespace Velmora::Graphics {

/// A GL program linked from a vertex and a fragment shader file, with named float uniforms
/// whose values are kept here and applied whenever the program is bound. The GL object is
/// released before a video mode change and built again afterwards; the uniform values survive.
class ShaderProgram {
public:
    /// The vertex shader every program uses.
    static constexpr const char* kVertexShader = "Passv.vert";

    /// directory: where both files lie (root/data/shader in the game).
    ShaderProgram(std::string name, std::string vertexFile, std::string fragmentFile, std::string directory);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    /// Compiles and links from the files. Needs a GL context with GLSL; a failure is logged on
    /// "GRAPHICS" and leaves the program unbuilt (textures then draw without it).
    bool Build();
    /// Deletes the GL object; the uniform values are kept.
    void Release();
    bool IsBuilt() const { return mGlId != 0; }

    /// Stores a value, applied when the program is next bound. A new name is looked up in the
    /// program at once (and again after every Build).
    void SetUniform(const std::string& name, float value);
    /// The stored value, 0 for an unknown name.
    float GetUniform(const std::string& name) const;
    /// The uniform's location in the built program, −1 when absent or unbuilt.
    int GetUniformLocation(const std::string& name) const;

    /// Makes the program current and applies the stored uniform values.
    void Bind() const;
    /// Returns to the fixed-function pipeline.
    static void Unbind();

    const std::string& GetName() const { return mName; }

    unsigned mGlId = 0;

private:
    struct Uniform {
        std::string mName;
        int mLocation = -1;
        float mValue = 0.0f;
    };

    unsigned CompileShader(unsigned type, const std::string& file);
    void LookUpLocations();

    std::string mName;
    std::string mVertexFile;
    std::string mFragmentFile;
    std::string mDirectory;
    std::vector<Uniform> mUniforms;
};

} // namespace Velmora::Graphics
