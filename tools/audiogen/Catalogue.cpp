#include "Catalogue.h"

#include "SongRenderer.h"
#include "ChaseSong.h"
#include "CreditsBluesSong.h"
#include "EffectSounds.h"
#include "InterfaceSounds.h"
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
        Effect("Player/gunfire.ogg", EffectSounds::SoundGun),
        Effect("Player/shockwave.ogg", EffectSounds::ShockGun),
        Effect("Player/foot1.ogg", [] { return EffectSounds::Footstep(0); }),
        Effect("Player/foot2.ogg", [] { return EffectSounds::Footstep(1); }),
        Effect("Level/ShatterGlass0.ogg", [] { return EffectSounds::GlassShatter(0); }),
        Effect("Level/ShatterGlass1.ogg", [] { return EffectSounds::GlassShatter(1); }),
        Effect("Level/ShatterGlass2.ogg", [] { return EffectSounds::GlassShatter(2); }),
        Effect("UI/winlevel.ogg", InterfaceSounds::WinLevel),
        Effect("UI/lose.ogg", InterfaceSounds::Lose),
        Effect("UI/phew.ogg", InterfaceSounds::Phew),
        Effect("UI/power_change.ogg", InterfaceSounds::PowerChange),
        Effect("UI/item_get.ogg", InterfaceSounds::ItemGet),
        Effect("UI/lowblip.ogg", [] { return InterfaceSounds::Blip(false); }),
        Effect("UI/midblip.ogg", [] { return InterfaceSounds::Blip(true); }),
        Effect("Guard/alarm.ogg", EffectSounds::Alarm),
        Effect("Guard/exclaim.ogg", EffectSounds::Exclaim),
        Effect("Guard/question.ogg", EffectSounds::Question),
    };
}

} // namespace Velmora::AudioGen
