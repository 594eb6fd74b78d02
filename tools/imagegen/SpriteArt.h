#pragma once

#include "Draw.h"

#include <cstdint>
#include <string>

namespace Velmora::Tools {

enum class GunIcon { kSound, kWhite, kShock };

/// The icon of a gun (arcs, noise, bolt) in its colour, centred at (cx, cy) with radius r.
void DrawGunIcon(cairo_t* cr, GunIcon icon, double cx, double cy, double r);
/// The colour of a gun as 0xRRGGBB.
std::uint32_t GunColour(GunIcon icon);

bool PaintGunPickup(const std::string& dir, const std::string& name, GunIcon icon);
/// A briefcase seen from above (handle up) on a square canvas; `flat` drops the glow (HUD icon).
bool PaintBriefcase(const std::string& path, int size, bool flat);
bool PaintGenerator(const std::string& dir);
bool PaintWaypoint(const std::string& dir);
bool PaintEmote(const std::string& dir, const std::string& name, const std::string& mark, std::uint32_t colour);

} // namespace Velmora::Tools
