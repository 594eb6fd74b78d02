#version 110
// Final bloom composite: the four blurred levels (uPass0 = full size ... uPass3 = one eighth)
// weighted by uRatio0..3 and scaled by uBrightness.
//
// The weighted sum is divided by the sum of the ratios whenever that exceeds 1, so that a flat
// area keeps its own brightness (times uBrightness) and the ratios only shape the glow: with the
// default 1.5, -1.0, 0.5, 0.5 the scene stays crisp (the full-size level outweighs the half-size
// one) and light spreads from the two smallest levels. A soft shoulder above 0.8 then lets strong
// glows approach white without clipping flat. The game binds only the four passes; uSource is
// accepted for tools that bind the scene under that name and is not needed here.
uniform sampler2D uPass0;
uniform sampler2D uPass1;
uniform sampler2D uPass2;
uniform sampler2D uPass3;
uniform float uRatio0;
uniform float uRatio1;
uniform float uRatio2;
uniform float uRatio3;
uniform float uBrightness;

void main()
{
    vec2 uv = gl_TexCoord[0].st;
    vec3 mixed = texture2D(uPass0, uv).rgb * uRatio0
               + texture2D(uPass1, uv).rgb * uRatio1
               + texture2D(uPass2, uv).rgb * uRatio2
               + texture2D(uPass3, uv).rgb * uRatio3;
    float total = uRatio0 + uRatio1 + uRatio2 + uRatio3;
    vec3 colour = max(mixed * (uBrightness / max(total, 1.0)), 0.0);
    vec3 over = max(colour - 0.8, 0.0);
    colour = min(colour, 0.8) + 0.2 * (vec3(1.0) - exp(-over * 5.0));
    gl_FragColor = vec4(colour, 1.0);
}
