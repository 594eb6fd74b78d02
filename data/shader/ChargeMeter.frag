#version 110
// The gun's charge meter, drawn over the HUD bar with hud.png bound and the gun's tint as
// vertex colour. The quad is expected to cover the whole bar with texture coordinates 0..1
// (v = 0 at the top); the meter fills the bar's slot, which lies at x 128..1000 and y 30..66 of
// the bar's 1024 x 92 design (see data/README.md). Outside the filled part it is transparent.
//
// uPower: reload + charge - 1 in [-1, 1]. The left half of the slot is the reload (dim while
// reloading, full once the gun is ready at 0), the right half the charge, with a shimmer that
// moves with uTime (a phase in [0, 1)).
uniform sampler2D uTexture;
uniform float uPower;
uniform float uTime;

const vec2 kDesign = vec2(1024.0, 92.0);
const vec2 kSlotMin = vec2(131.0, 33.0);
const vec2 kSlotMax = vec2(997.0, 63.0);

// Signed distance in design pixels to the slot's pill shape (negative inside).
float SlotDistance(vec2 p)
{
    vec2 centre = (kSlotMin + kSlotMax) * 0.5;
    vec2 halfSize = (kSlotMax - kSlotMin) * 0.5;
    float radius = halfSize.y;
    vec2 q = abs(p - centre) - (halfSize - vec2(radius));
    return length(max(q, 0.0)) + min(max(q.x, q.y), 0.0) - radius;
}

void main()
{
    vec2 uv = gl_TexCoord[0].st;
    vec2 p = uv * kDesign;
    float inside = clamp(0.5 - SlotDistance(p), 0.0, 1.0);
    float length = kSlotMax.x - kSlotMin.x;
    float t = (p.x - kSlotMin.x) / length;
    float level = clamp((uPower + 1.0) * 0.5, 0.0, 1.0);
    float filled = clamp((level - t) * length + 0.5, 0.0, 1.0) * step(0.0005, level);
    float across = (p.y - kSlotMin.y) / (kSlotMax.y - kSlotMin.y);

    vec3 tint = gl_Color.rgb;
    float ready = step(0.0, uPower);
    float charging = step(0.5, t);
    // Rounded tube: brightest a third of the way down, darker at the rims.
    float tube = 1.0 - 0.6 * pow(abs(across - 0.35) * 1.6, 2.0);
    float strength = mix(mix(0.45, 0.9, ready), 1.1, charging);
    float wave = 0.5 + 0.5 * sin((t * 9.0 - uTime) * 6.2831853);
    float shimmer = charging * 0.35 * pow(wave, 6.0);
    vec3 colour = tint * (strength * tube + shimmer) + vec3(0.35 * pow(tube, 8.0) * strength);
    // A hot leading edge shows exactly where the level is.
    float edge = exp(-abs(t - level) * length * 0.25) * step(0.0005, level) * step(t, level + 0.02);
    colour += edge * mix(tint, vec3(1.0), 0.7);
    // The bar's own tick marks show through the fill.
    colour *= 0.8 + 1.2 * texture2D(uTexture, uv).rgb;
    float alpha = inside * max(filled * mix(0.75, 1.0, tube), edge);
    gl_FragColor = vec4(min(colour, 1.0), alpha * gl_Color.a);
}
