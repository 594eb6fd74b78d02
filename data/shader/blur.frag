#version 110
// One direction of the separable three-tap blur: samples at -1, 0 and +1 steps of
// (uOffsetX, uOffsetY) weighted by uCoefficients (an array of three floats, set with
// glUniform1fv(location, 3, weights); the game uses 5/16, 6/16, 5/16).
uniform sampler2D uSource;
uniform float uCoefficients[3];
uniform float uOffsetX;
uniform float uOffsetY;

void main()
{
    vec2 uv = gl_TexCoord[0].st;
    vec2 step = vec2(uOffsetX, uOffsetY);
    gl_FragColor = texture2D(uSource, uv - step) * uCoefficients[0]
                 + texture2D(uSource, uv) * uCoefficients[1]
                 + texture2D(uSource, uv + step) * uCoefficients[2];
}
