#pragma once

#include "core/Vector2.h"

namespace Velmora {
class Entity;
}

namespace Velmora::Logic {
class NavigationMap;
}

namespace Velmora::Ai {

class VisibilityRegistry;

/// What the guards need from the game that plays them, which lives in a layer above this one and
/// registers itself with SetAiHost. Without a registered host the guards see through a registry
/// of their own, find no player, no graph and make no noise.
class AiHost {
public:
    /// The debug drawing switches the guards read.
    enum DebugSwitch { kDebugPerception, kDebugVisibility, kDebugBehaviors };

    virtual ~AiHost() = default;
    /// Who sees whom; perception keeps it.
    virtual VisibilityRegistry& GetVisibilityRegistry() = 0;
    /// The player's entity, or null.
    virtual Entity* GetPlayer() const = 0;
    /// The current level's graph of walkable cells, or null without a level.
    virtual const Logic::NavigationMap* GetNavigationMap() const = 0;
    /// A sound wave of the ordinary kind all round a point (an alarm), `strength` times the base
    /// energy.
    virtual void MakeNoise(const Vector2& point, double strength) = 0;
    /// Whether a debug drawing switch is on.
    virtual bool IsDebugOn(DebugSwitch which) const = 0;
};

/// Registers the game's host (null: the stand-in). Not owned.
void SetAiHost(AiHost* host);
/// The registered host, or the stand-in.
AiHost& GetAiHost();

} // namespace Velmora::Ai
