#include "ai/AiHost.h"

#include "ai/VisibilityRegistry.h"

namespace Velmora::Ai {

namespace {

// Guards outside a game (tools, tests of a lone component) still keep their visibility.
class StandInHost : public AiHost {
public:
    VisibilityRegistry& GetVisibilityRegistry() override { return mRegistry; }
    Entity* GetPlayer() const override { return nullptr; }
    const Logic::NavigationMap* GetNavigationMap() const override { return nullptr; }
    void MakeNoise(const Vector2&, double) override {}
    bool IsDebugOn(DebugSwitch) const override { return false; }

private:
    VisibilityRegistry mRegistry;
};

AiHost* sHost = nullptr;

} // namespace

void SetAiHost(AiHost* host) { sHost = host; }

AiHost& GetAiHost() {
    static StandInHost standIn;
    return sHost ? *sHost : standIn;
}

} // namespace Velmora::Ai
