// Shared by the guard tests: the play fixtures plus the guard and emote archetypes, a level set
// in the logic manager (so ray casts and the navigation graph use it), and helpers that run
// whole logic ticks over every entity, as the play screen does.
#pragma once

#include "ai/ComponentGhost.h"
#include "ai/ComponentPerception.h"
#include "core/ValueCursor.h"
#include "unit/logic/GameFixtures.h"
#include "world/LevelMessages.h"

#include <string>
#include <vector>

namespace Velmora::Tests {

class GuardTest : public PlayTest {
protected:
    static constexpr double kTick = 1.0 / 60.0;

    void SetUp() override {
        PlayTest::SetUp();
        static const bool loaded = [] {
            for (const char* name : {"guard", "guard_pan", "guard_alarm", "exclamation", "question"}) {
                Factory::GetInstance().LoadArchetype(name, SourceDir() + "/data/object/" + name + ".xml", false);
            }
            return true;
        }();
        (void)loaded;
    }

    /// An entity of the archetype at a position and facing, as a level spawns it (begun).
    Entity* Place(const std::string& archetype, Vector2 position, Vector2 facing, const ValueList* data = nullptr) {
        Entity* entity = Spawn(archetype, position, data);
        if (!entity) return nullptr;
        entity->GetComponent<Graphics::ComponentTransform>()->mDirection = facing;
        Logic::MessageBeginLevel begin;
        entity->HandleMessage(begin);
        return entity;
    }

    /// n logic ticks: the systems, then every entity (newest first), then the end of the frame.
    static void Run(int ticks, double dt = kTick) {
        for (int i = 0; i < ticks; ++i) {
            MessageUpdateLogic update(dt);
            Game::GetInstance().SendMessage(update);
            Entities().SendToAll(update);
            EndFrame();
        }
    }

    static Vector2& PositionOf(Entity* entity) {
        return entity->GetComponent<Graphics::ComponentTransform>()->mPosition;
    }
    static Vector2& FacingOf(Entity* entity) {
        return entity->GetComponent<Graphics::ComponentTransform>()->mDirection;
    }
    static Ai::ComponentGhost& GhostOf(Entity* entity) { return *entity->GetComponent<Ai::ComponentGhost>(); }
    static Ai::ComponentPerception& EyesOf(Entity* entity) { return *entity->GetComponent<Ai::ComponentPerception>(); }

    /// How many times an emote ("exclamation", "question") was shown so far.
    int EmotesShown(const std::string& archetype) const {
        const std::string text = " shows `" + archetype + "`";
        return static_cast<int>(std::count_if(mLog.mLines.begin(), mLog.mLines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        }));
    }
};

} // namespace Velmora::Tests
