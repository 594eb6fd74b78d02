#include "graphics/GlBatchDrawer.h"

#include "graphics/Batch.h"
#include "graphics/GlContext.h"
#include "graphics/ShaderProgram.h"
#include "graphics/Texture.h"
#include "graphics/TextureManager.h"

#include <GL/glew.h>

namespace Velmora::Graphics {

namespace {

GLenum PrimitiveMode(int primitive) {
    switch (primitive) {
        case kPrimitiveTriangles:
            return GL_TRIANGLES;
        case kPrimitiveLines:
            return GL_LINES;
        default:
            return GL_QUADS;
    }
}

void SetTexturing(const Texture* texture, const Vertex* vertices) {
    if (texture && texture->mGlId != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture->mGlId);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_DOUBLE, sizeof(Vertex), &vertices[0].mU);
        return;
    }
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

// An alpha-blended batch whose every fragment has alpha 1 (an opaque texture, opaque vertex
// colours, no program to change that) looks the same unblended. The software rasteriser then
// skips reading the frame buffer back, which is much of the cost of full-screen floors and
// backgrounds.
bool DrawsOpaque(const Batch& batch, const ShaderProgram* program) {
    if (batch.mBlend != kBlendAlpha || !batch.mTexture || !batch.mTexture->mOpaque || program) return false;
    const Vertex* vertices = batch.GetVertices();
    for (unsigned i = 0; i < batch.mCount; ++i) {
        if (vertices[i].mAlpha != 255) return false;
    }
    return true;
}

void SetBlending(const Batch& batch, bool opaque) {
    if (opaque) {
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, batch.mBlend == kBlendAdditive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
}

} // namespace

void GlBatchDrawer::Draw(const Batch& batch) {
    if (batch.mCount == 0 || !HasGlContext()) return;
    if (batch.mTexture) TextureManager::GetInstance().Touch(*batch.mTexture);
    const Vertex* vertices = batch.GetVertices();
    const ShaderProgram* program = batch.mTexture ? batch.mTexture->mProgram : nullptr;
    SetBlending(batch, DrawsOpaque(batch, program));

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_DOUBLE, sizeof(Vertex), &vertices[0].mX);
    SetTexturing(batch.mTexture, vertices);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &vertices[0].mRed);

    const bool useProgram = program && program->IsBuilt();
    if (useProgram) program->Bind();
    glDrawArrays(PrimitiveMode(batch.mPrimitive), 0, static_cast<GLsizei>(batch.mCount));
    if (useProgram) ShaderProgram::Unbind();

    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace Velmora::Graphics
