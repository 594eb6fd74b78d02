#pragma once

#include "Signal.h"

#include <vector>

namespace Velmora::AudioGen {

/// Settings of the room.
struct ReverbSettings {
    double mRoomSize = 0.8;   ///< 0 … 1: comb feedback, i.e. decay time
    double mDamping = 0.4;    ///< 0 … 1: how fast highs die in the tail
    double mWidth = 1.0;      ///< 0 mono … 1 full stereo
    double mPreDelay = 0.02;  ///< seconds before the tail starts
    double mLowCut = 180.0;   ///< Hz: the send is thinned so basses do not muddy the room
    double mHighCut = 7000.0; ///< Hz: the send is darkened so hats do not hiss
};

/// A stereo room in the manner of the classic Schroeder/Moorer design: eight damped feedback
/// combs in parallel and four all-pass diffusers in series per channel, the right channel's
/// delays slightly longer to decorrelate the sides.
class Reverb {
public:
    explicit Reverb(const ReverbSettings& settings);

    /// Replaces the buffer (the dry send) with the wet room signal.
    void Process(Stereo& buffer);

private:
    struct Comb {
        std::vector<float> line;
        size_t index = 0;
        float store = 0.0f;
    };
    struct AllPass {
        std::vector<float> line;
        size_t index = 0;
    };
    struct Channel {
        std::vector<Comb> combs;
        std::vector<AllPass> allPasses;
    };

    float ProcessChannel(Channel& channel, float input) const;

    ReverbSettings mSettings;
    float mFeedback;
    float mDamp;
    Channel mLeft;
    Channel mRight;
};

} // namespace Velmora::AudioGen
