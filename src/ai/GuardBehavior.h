#pragma once

#include "ai/Behavior.h"

namespace Velmora::Ai {

/// Keeps the guard at its post: where it stood and the way it faced when the behaviour started.
/// Pulled away (by a chase, a noise), it waits the return pause, walks back over the level's
/// graph and turns to its old facing; a post it cannot get back to becomes the new post. Does
/// nothing for a guard with waypoints (it patrols instead).
/// Data: return pause (seconds).
class GuardBehavior : public Behavior {
public:
    /// How far (world units) the end of the path may lie from the post before an extra move to
    /// it is made.
    static constexpr double kPathEndSlack = 10.0;

    explicit GuardBehavior(uint32_t entity) : Behavior(entity) {}

    void Deserialize(ValueCursor& cursor) override;
    /// Takes the post.
    void OnStart() override;
    bool Update(double dt) override;

    double mReturnPause = 0.0; ///< seconds
    Vector2 mHome;             ///< world units
    Vector2 mHomeFacing;       ///< facing at the post

private:
    bool PlanWayHome();
};

} // namespace Velmora::Ai
