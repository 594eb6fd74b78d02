#version 110
// Copies the source texture (used to downsample one bloom level into the next). The vertex
// colour is ignored on purpose: full-screen quads may be drawn with whatever colour is current.
uniform sampler2D uSource;

void main()
{
    gl_FragColor = texture2D(uSource, gl_TexCoord[0].st);
}
