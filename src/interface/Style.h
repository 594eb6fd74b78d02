#pragma once

#include "core/Color.h"

#include <cstdint>

namespace Velmora::Interface {

class Widget;

/// How a widget looks: an opacity, three colours, three scalars and an offset, plus flags that
/// say which of these fields the record defines. Styles cascade from parent to child field by
/// field (GetEffectiveStyle); widgets change their look only by animating their own style
/// (AnimateStyle). The toolkit's widgets read the fields as follows: colour 1 is text, colour 2
/// frames and slider tracks, colour 3 follows colour 2 in the highlight animations; scalars 1
/// and 2 scale a button's box (width, height) — on a slider scalar 1 is the knob's position
/// 0 … 1 and scalar 2 its height factor — and scalar 3 scales frame thickness.
struct Style {
    static constexpr uint32_t kAlpha = 0x01;
    static constexpr uint32_t kColor1 = 0x02;
    static constexpr uint32_t kColor2 = 0x04;
    static constexpr uint32_t kColor3 = 0x08;
    static constexpr uint32_t kScalar1 = 0x10;
    static constexpr uint32_t kScalar2 = 0x20;
    static constexpr uint32_t kOffset = 0x40;
    static constexpr uint32_t kScalar3 = 0x80;

    /// The toolkit's colours, opaque.
    static constexpr Color kBlack = Color::FromRgba(0, 0, 0);
    static constexpr Color kGreen = Color::FromRgba(0, 255, 0);
    static constexpr Color kCyan = Color::FromRgba(0, 255, 255);
    static constexpr Color kWhite = Color::FromRgba(255, 255, 255);

    double mAlpha = 1.0; ///< opacity 0 … 1
    Color mColor1 = kBlack;
    Color mColor2 = kGreen;
    Color mColor3 = kGreen;
    double mScalar1 = 1.0;
    double mScalar2 = 1.0;
    double mScalar3 = 1.0;
    double mOffsetX = 0.0; ///< pixels, added to the widget's position
    double mOffsetY = 0.0;
    uint32_t mSetFields = 0; ///< k… bits of the fields this record defines

    /// Setters that also mark the field as defined; they return the style so they chain.
    Style& SetAlpha(double alpha);
    Style& SetColor1(Color color);
    Style& SetColor2(Color color);
    Style& SetColor3(Color color);
    Style& SetScalar1(double value);
    Style& SetScalar2(double value);
    Style& SetScalar3(double value);
    Style& SetOffset(double x, double y);
    /// True when every bit of `fields` is defined here.
    bool Has(uint32_t fields) const { return (mSetFields & fields) == fields; }
};

/// Copies every field that `over` defines into `base` and marks it defined there; the other
/// fields of `base` stay as they are.
void Apply(Style& base, const Style& over);

/// The style a widget draws with: the default style, then the parent's effective style, then
/// the widget's own style, each applied over the previous. A child inherits every field it does
/// not define from its nearest ancestor that does.
Style GetEffectiveStyle(const Widget& widget);

} // namespace Velmora::Interface
