#include "graphics/GlBatchDrawer.h"

#include "graphics/Batch.h"
#include "graphics/GlContext.h"
#include "graphics/ShaderProgram.h"
#include "graphics/Texture.h"

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

} // namespace

void GlBatchDrawer::Draw(const Batch& batch) {
    if (batch.mCount == 0 || !HasGlContext()) return;
    const Vertex* vertices = batch.GetVertices();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, batch.mBlend == kBlendAdditive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_DOUBLE, sizeof(Vertex), &vertices[0].mX);
    SetTexturing(batch.mTexture, vertices);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &vertices[0].mRed);

    const ShaderProgram* program = batch.mTexture ? batch.mTexture->mProgram : nullptr;
    const bool useProgram = program && program->IsBuilt();
    if (useProgram) program->Bind();
    glDrawArrays(PrimitiveMode(batch.mPrimitive), 0, static_cast<GLsizei>(batch.mCount));
    if (useProgram) ShaderProgram::Unbind();

    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace Velmora::Graphics
