#pragma once

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Interface {

class Widget;

/// The look shared by WSlider and WStepSlider. The knob's position is the style's scalar 1
/// (0 … 1), its height factor scalar 2 and its frame factor scalar 3; colour 2 draws both the
/// track and the knob's frame.

/// Seconds the knob takes to glide to a new value.
constexpr double kSliderKnobSeconds = 0.2;

/// Replaces the running highlight animation (lane 1): focused — colour 2 cyan and a knob twice
/// as tall over 0.15 s; normal — green and 1.0 over 0.35 s.
void AnimateSliderHighlight(Widget& slider, bool highlighted);
/// Glides the knob (scalar 1) to a position 0 … 1 on lane 2 over kSliderKnobSeconds.
void AnimateSliderKnob(Widget& slider, double position);
/// The track (from y + 22 to y + 32, the area's width) and the knob (10 pixels wide, centred at
/// (W − 10)·scalar 1 + 5, from y + 15 − 5·scalar 2 to y + 35 + 5·scalar 2), on the layer.
void DrawSlider(const Widget& slider, Graphics::Renderer& renderer, int layer);

} // namespace Velmora::Interface
