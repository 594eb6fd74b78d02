#pragma once

#include "core/Color.h"

namespace Velmora::Interface {

/// The colours a button or a slider shows, chosen by the screen that builds it, in place of the
/// toolkit's own green, white and cyan. A widget with a look animates its own style between two
/// faces (as ever, on lane 1 with a sine ease): text in colour 1, frame in colour 2, fill in
/// colour 3 and the frame's thickness factor in scalar 3. Hovered and focused share one face,
/// so a menu shows a single kind of highlight.
struct WidgetLook {
    /// One state's colours.
    struct Face {
        Color mText;
        Color mFrame;
        Color mFill;
        double mFrameScale = 1.0; ///< times 4 pixels for a button's frame
    };

    Face mNormal;
    Face mHighlight;           ///< hovered or focused
    double mFillOpacity = 0.8; ///< of the widget's alpha, for the fill
};

} // namespace Velmora::Interface
