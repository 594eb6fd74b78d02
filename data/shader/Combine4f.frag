#version 110
// Final bloom composite: the four blurred levels (uPass0 = full size ... uPass3 = one eighth)
// weighted by uRatio0..3 and scaled by uBrightness.
//
// Level 0 is the scene. Each positive ratio keeps the scene at its weight and adds the light its
// level carries outward from brighter surroundings, so a bright thing spreads a halo that fades
// with distance (wider for the smaller levels) while flat areas, bright or dark, keep their
// level and nothing is dimmed by a bright neighbour. Saturated light (neon rings, exits, lasers)
// glows more than grey. A negative ratio sharpens instead: where the scene is brighter than its
// level, the difference is added, so bright cores stand out from their own halo. The sum is
// scaled by uBrightness over the positive ratios (at least 1), and a soft shoulder above 0.8
// lets strong glows approach white without clipping flat.
uniform sampler2D uPass0;
uniform sampler2D uPass1;
uniform sampler2D uPass2;
uniform sampler2D uPass3;
uniform float uRatio0;
uniform float uRatio1;
uniform float uRatio2;
uniform float uRatio3;
uniform float uBrightness;

const float kGlowGain = 5.0;
const float kDarkenShare = 0.4;

float Saturation(vec3 c)
{
    float high = max(max(c.r, c.g), c.b);
    float low = min(min(c.r, c.g), c.b);
    return high > 0.0 ? (high - low) / high : 0.0;
}

// What level k adds at weight `ratio` to a pixel whose scene colour is `scene`.
vec3 Level(vec3 level, vec3 scene, float ratio)
{
    if (ratio >= 0.0) {
        vec3 spread = max(level - scene, 0.0) * mix(0.4, 1.0, Saturation(level));
        return ratio * (scene + kGlowGain * spread);
    }
    return -ratio * max(scene - level, -kDarkenShare * scene);
}

void main()
{
    vec2 uv = gl_TexCoord[0].st;
    vec3 p0 = texture2D(uPass0, uv).rgb;
    float positive = max(uRatio0, 0.0) + max(uRatio1, 0.0) + max(uRatio2, 0.0) + max(uRatio3, 0.0);
    vec3 sum = max(uRatio0, 0.0) * p0 + Level(texture2D(uPass1, uv).rgb, p0, uRatio1)
             + Level(texture2D(uPass2, uv).rgb, p0, uRatio2) + Level(texture2D(uPass3, uv).rgb, p0, uRatio3);
    vec3 colour = max(sum * (uBrightness / max(positive, 1.0)), 0.0);
    vec3 over = max(colour - 0.8, 0.0) * 5.0;
    colour = min(colour, 0.8) + 0.2 * over / (over + 1.0);
    gl_FragColor = vec4(colour, 1.0);
}
