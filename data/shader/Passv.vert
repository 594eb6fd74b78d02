#version 110
// Vertex stage of every program: position through the fixed-function matrices, texture
// coordinate and vertex colour passed on unchanged.
void main()
{
    gl_Position = ftransform();
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
}
