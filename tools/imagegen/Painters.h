#pragma once

#include <string>

namespace Velmora::Tools {

// Each painter writes its images into the image directory and returns false when a file could
// not be written.

/// player.png, guard.png, guard_alert.png, the gun pickups, briefcase.png, generator.png,
/// waypoint.png and the two emotes.
bool PaintSprites(const std::string& imageDir);
/// hud.png, hudbriefcase.png, chargemeter.png, laser_dot.png.
bool PaintHud(const std::string& imageDir);
/// particle.png and soundwave.png.
bool PaintEffects(const std::string& imageDir);
/// norrik.png, zenthra.png, velmora.png, xboxcontroller.png.
bool PaintSlides(const std::string& imageDir);
/// roomrender.png (uses the tile textures) and helpmenu.png.
bool PaintMenus(const std::string& imageDir);

} // namespace Velmora::Tools
