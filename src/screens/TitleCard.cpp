#include "screens/TitleCard.h"

#include "core/Color.h"
#include "graphics/FontManager.h"
#include "interface/WidgetDrawing.h"
#include "screens/ScreenDrawing.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace Velmora::Logic {

namespace {

const Color kBandColor = Color::FromRgba(2, 6, 12);
constexpr double kBandOpacity = 0.72;
const Color kEdgeColor = Color::FromRgba(60, 160, 255);
const Color kPlaceColor = Color::FromRgba(150, 210, 255);
const Color kNameColor = Color::FromRgba(242, 250, 255);
const Color kObjectiveColor = Color::FromRgba(120, 230, 150);

std::string CampaignTitle(const std::string& id) {
    if (id == "training") return "Training";
    if (id.size() > 4 && id.compare(0, 4, "camp") == 0) return "Campaign " + id.substr(4);
    return id;
}

} // namespace

TitleCard::Lines TitleCard::MakeLines(const std::string& campaignId, int index, int count, const std::string& levelName,
                                      bool hasBriefcase) {
    Lines lines;
    lines.mPlace = CampaignTitle(campaignId) + " - level " + std::to_string(index + 1) + " of " + std::to_string(count);
    lines.mName = levelName;
    if (!lines.mName.empty())
        lines.mName[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(lines.mName[0])));
    lines.mObjective = hasBriefcase ? kBriefcaseAndExit : kReachExit;
    return lines;
}

void TitleCard::Show(Lines lines) {
    mLines = std::move(lines);
    mTime = 0.0;
}

double TitleCard::GetOpacity() const {
    if (mTime <= kHoldSeconds) return 1.0;
    return std::clamp(1.0 - (mTime - kHoldSeconds) / kFadeSeconds, 0.0, 1.0);
}

void TitleCard::Draw(Graphics::Renderer& renderer, int width, int height) const {
    const double opacity = GetOpacity();
    if (!(opacity > 0.0) || width <= 0 || height <= 0) return;
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* big = fonts.GetFont("menu");
    const Graphics::Font* small = fonts.GetFont("menu_small");
    if (!big || !small) return;
    // The band sits in the upper third, clear of the player in the middle and the HUD below.
    const double gap = 8.0;
    const double bandHeight = small->mLineHeight * 2 + big->mLineHeight + 4 * gap;
    const double top = std::floor(height * 0.82 + bandHeight / 2);
    const double bottom = top - bandHeight;
    const Color edge(Interface::WithOpacity(kEdgeColor, opacity * 0.6));
    FillRect(renderer, kLayer, 0.0, bottom, width, top,
             Color(Interface::WithOpacity(kBandColor, opacity * kBandOpacity)));
    FillRect(renderer, kLayer, 0.0, top - 1.0, width, top, edge);
    FillRect(renderer, kLayer, 0.0, bottom, width, bottom + 1.0, edge);
    const double x = width / 2.0;
    double y = top - gap - small->mLineHeight;
    fonts.DrawText(renderer, small, mLines.mPlace, x, y, Graphics::kAlignCenter, kLayer + 1,
                   Interface::WithOpacity(kPlaceColor, opacity));
    y -= gap + big->mLineHeight;
    fonts.DrawText(renderer, big, mLines.mName, x, y, Graphics::kAlignCenter, kLayer + 1,
                   Interface::WithOpacity(kNameColor, opacity));
    y -= gap + small->mLineHeight;
    fonts.DrawText(renderer, small, mLines.mObjective, x, y, Graphics::kAlignCenter, kLayer + 1,
                   Interface::WithOpacity(kObjectiveColor, opacity));
}

} // namespace Velmora::Logic
