#include "ai/EffectBehavior.h"

#include "ai/AiHost.h"

namespace Velmora::Ai {

bool EffectBehavior::Update(double) {
    GetAiHost().MakeNoise(mPoint, mStrength);
    return true;
}

} // namespace Velmora::Ai
