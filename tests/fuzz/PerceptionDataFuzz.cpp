// Arbitrary bytes as XML: the typed values of the root element are read as a guard's perception
// data (angles, ranges, radii, colour; any of them missing, mistyped, huge, negative or not
// finite). The guard then looks at two bodies round it for a few steps in a small room with a
// wall, rebuilds its outlines and draws its cone; nothing may crash, the fixed alpha must hold,
// and every outline point must be finite whenever the current values are (short of overflow).

#include "ai/ComponentPerception.h"
#include "core/EntityManager.h"
#include "core/FrameMessages.h"
#include "core/ValueCursor.h"
#include "fuzz/FuzzSupport.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"

#include <cmath>

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueList values;
    if (!Tests::ReadRootValues(data, size, values)) return 0;
    Tests::UseRoom();

    static int sNextId = 5000;
    Entity* guard = Tests::MakeBody(++sNextId, {40, 70}, {1, 0.25});
    auto* eyes = new Ai::ComponentPerception(guard);
    ValueCursor cursor(values);
    eyes->Load(cursor);
    if ((eyes->mConeColor >> 24) != Ai::ComponentPerception::kConeAlpha) std::abort();
    guard->AddComponent(eyes);
    guard->Spawn(nullptr);
    Entity* ahead = Tests::MakeBody(++sNextId, {150, 90}, {0, 1});
    Entity* behind = Tests::MakeBody(++sNextId, {20, 60}, {0, 1});
    ahead->Spawn(nullptr);
    behind->Spawn(nullptr);

    Graphics::Renderer renderer([](const Graphics::Batch&) {});
    for (int step = 0; step < 4; ++step) {
        MessageUpdateLogic tick(1.0 / 60.0);
        guard->HandleMessage(tick);
        if (step == 2) eyes->UseAlertSet();
        Graphics::MessageRender render(&renderer);
        guard->HandleMessage(render);
        const bool finite = std::isfinite(eyes->mCurrentFieldOfView) && std::abs(eyes->mCurrentSightRange) < 1e300;
        for (const Vector2& point : eyes->mConePoints) {
            if (finite && !(std::isfinite(point.x) && std::isfinite(point.y))) std::abort();
        }
    }
    renderer.Clear();
    guard->Destroy();
    ahead->Destroy();
    behind->Destroy();
    EntityManager::GetInstance().DestroyPending();
    return 0;
}
