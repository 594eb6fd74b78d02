#version 110
// Final bloom composite: the four blurred levels (uPass0 = full size ... uPass3 = one eighth)
// weighted by uRatio0..3 and scaled by uBrightness.
//
// The scene is level 0. The glow is what the weighted levels add around bright things: each level
// goes through a bright pass first (dark rooms and grey walls do not glow, neon does), and only
// light spreading outward counts, so bright objects are not dimmed and dark areas are not fogged.
// With the default ratios 1.5, -1.0, 0.5, 0.5 the glow is a wide soft halo; the result is scaled
// by uBrightness / max(sum of ratios, 1) so that raising the ratios widens the glow rather than
// flooding the screen. A soft shoulder above 0.8 lets strong glows approach white without
// clipping flat. The game binds only the four passes (uSource is not needed here).
uniform sampler2D uPass0;
uniform sampler2D uPass1;
uniform sampler2D uPass2;
uniform sampler2D uPass3;
uniform float uRatio0;
uniform float uRatio1;
uniform float uRatio2;
uniform float uRatio3;
uniform float uBrightness;

vec3 BrightPass(vec3 c)
{
    return max(c - 0.3, 0.0) * (1.0 / 0.7);
}

void main()
{
    vec2 uv = gl_TexCoord[0].st;
    vec3 p0 = texture2D(uPass0, uv).rgb;
    vec3 p1 = texture2D(uPass1, uv).rgb;
    vec3 p2 = texture2D(uPass2, uv).rgb;
    vec3 p3 = texture2D(uPass3, uv).rgb;
    float total = uRatio0 + uRatio1 + uRatio2 + uRatio3;
    vec3 glow = BrightPass(p0) * uRatio0 + BrightPass(p1) * uRatio1
              + BrightPass(p2) * uRatio2 + BrightPass(p3) * uRatio3;
    vec3 halo = max(glow - BrightPass(p0) * total, 0.0);
    vec3 colour = (p0 * total + 2.0 * halo) * (uBrightness / max(total, 1.0));
    colour = max(colour, 0.0);
    vec3 over = max(colour - 0.8, 0.0);
    colour = min(colour, 0.8) + 0.2 * (vec3(1.0) - exp(-over * 5.0));
    gl_FragColor = vec4(colour, 1.0);
}
