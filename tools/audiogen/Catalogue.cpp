#include "Catalogue.h"

#include "SongRenderer.h"
#include "ChaseSong.h"
#include "CreditsBluesSong.h"
#include "TenseSong.h"
#include "TitleBluesSong.h"

namespace Velmora::AudioGen {
namespace {

constexpr double kMusicQuality = 0.3;
constexpr double kEffectQuality = 0.45;

Catalogue::Entry Music(const std::string& file, Song (*build)()) {
    return Catalogue::Entry{"BGM/" + file, [build] { return SongRenderer::Render(build()); }, true, kMusicQuality};
}

Catalogue::Entry Effect(const std::string& file, Mono (*render)()) {
    return Catalogue::Entry{"SFX/" + file, [render] { return Stereo{render(), Mono()}; }, false, kEffectQuality};
}

} // namespace

std::vector<Catalogue::Entry> Catalogue::Entries() {
    return {
        Music("vm_blues_title.ogg", TitleBluesSong::Build),
        Music("vm_tense.ogg", TenseSong::Build),
        Music("vm_chase.ogg", ChaseSong::Build),
        Music("vm_blues_credits.ogg", CreditsBluesSong::Build),
    };
}

} // namespace Velmora::AudioGen
