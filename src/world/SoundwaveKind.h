#pragma once

namespace Velmora::Logic {

/// What made a sound wave; the numbers equal the gun types of the guns that fire them.
enum SoundwaveKind : int {
    kSound = 1,  ///< reflects; blue
    kWhite = 2,  ///< reflects; white noise
    kShock = 3,  ///< does not reflect: shatters glass or is absorbed; red
};

} // namespace Velmora::Logic
