#include "Director.h"

#include "BriefcaseScene.h"
#include "CityScene.h"
#include "SceneTools.h"
#include "Timeline.h"
#include "TowerScene.h"

#include <algorithm>
#include <cstdint>

namespace Velmora::MovieGen {

namespace {

constexpr double kShotStarts[] = {kCityStart, kBuildingStart, kBriefcaseStart, kRingsStart};
constexpr int kShots = 4;
// Light above this level (0 … 255 per channel) blooms.
constexpr int kBloomThreshold = 150;

int ShotAt(double t) {
    int shot = 0;
    while (shot + 1 < kShots && t >= kShotStarts[shot + 1] - kCrossfade / 2) ++shot;
    return shot;
}

} // namespace

Director::Director() : mPrevious(kWidth, kHeight), mGlow(kWidth, kHeight) {}

void Director::DrawShot(cairo_t* cr, int shot, double t) const {
    const double local = t - kShotStarts[shot];
    switch (shot) {
    case 0: DrawCityScene(cr, local); break;
    case 1: DrawTowerScene(cr, local); break;
    case 2: DrawBriefcaseScene(cr, local); break;
    default: mRings.Draw(cr, local); break;
    }
}

void Director::Render(const Tools::Canvas& canvas, double t) {
    cairo_t* cr = canvas.Cr();
    const int shot = ShotAt(t);
    DrawShot(cr, shot, t);
    // Around a cut the shot before is laid over this one, fading away.
    if (shot > 0 && t < kShotStarts[shot] + kCrossfade / 2) {
        DrawShot(mPrevious.Cr(), shot - 1, t);
        const double outgoing = 1.0 - SmoothStep(kShotStarts[shot] - kCrossfade / 2, kShotStarts[shot] + kCrossfade / 2, t);
        cairo_set_source_surface(cr, mPrevious.Surface(), 0, 0);
        cairo_paint_with_alpha(cr, outgoing);
    }
    if (shot == kShots - 1) DrawTitle(cr, t);
    Bloom(canvas);
    Darken(cr, 1.0 - SmoothStep(0.0, kFadeIn, t));
    Darken(cr, SmoothStep(kSeconds - kFadeOut, kSeconds - 1.0 / kFps, t));
}

// Keeps only what is brighter than the threshold, blurs it and adds it back.
void Director::Bloom(const Tools::Canvas& canvas) {
    cairo_surface_flush(canvas.Surface());
    cairo_surface_flush(mGlow.Surface());
    const unsigned char* source = cairo_image_surface_get_data(canvas.Surface());
    unsigned char* glow = cairo_image_surface_get_data(mGlow.Surface());
    const int stride = cairo_image_surface_get_stride(canvas.Surface());
    for (int y = 0; y < kHeight; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(source + y * stride);
        auto* out = reinterpret_cast<std::uint32_t*>(glow + y * stride);
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t pixel = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int channel = static_cast<int>((in[x] >> shift) & 0xFF);
                pixel |= static_cast<std::uint32_t>(std::max(0, channel - kBloomThreshold) * 255 / (255 - kBloomThreshold)) << shift;
            }
            out[x] = pixel;
        }
    }
    cairo_surface_mark_dirty(mGlow.Surface());
    Tools::BlurSurface(mGlow.Surface(), 7.0);
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source_surface(cr, mGlow.Surface(), 0, 0);
    cairo_paint_with_alpha(cr, 0.55);
    cairo_restore(cr);
}

} // namespace Velmora::MovieGen
