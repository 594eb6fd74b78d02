#pragma once

#include <string>

namespace Velmora::Graphics {
class Renderer;
}

namespace Velmora::Logic {

/// The card that names a level as it starts: where in the campaign it is, the level's name and
/// what to do there, in a dark band across the upper part of the window. It stays for
/// kHoldSeconds of play (the level clock's time) and then fades out over kFadeSeconds; play goes
/// on underneath all the while (the card only draws).
class TitleCard {
public:
    static constexpr double kHoldSeconds = 2.0;
    static constexpr double kFadeSeconds = 0.6;
    static constexpr int kLayer = 820; ///< over the HUD (805 … 810), under the menus (1000 on)
    static constexpr const char* kReachExit = "Reach the green exit.";
    static constexpr const char* kBriefcaseAndExit = "Reach the green exit. Bonus: take the briefcase.";

    /// The three lines of a card.
    struct Lines {
        std::string mPlace;     ///< "Training - level 2 of 3"
        std::string mName;      ///< "Listen"
        std::string mObjective; ///< kReachExit or kBriefcaseAndExit
    };

    /// The lines for level `index` (0-based) of `count` in campaign `campaignId`, named
    /// `levelName`: the campaign's title ("training" is "Training", "camp2" is "Campaign 2",
    /// another id as it is), the level's name with a capital first letter, and the objective.
    static Lines MakeLines(const std::string& campaignId, int index, int count, const std::string& levelName,
                           bool hasBriefcase);

    /// Shows a card from now on, fully opaque.
    void Show(Lines lines);
    /// Puts the card away at once.
    void Hide() { mTime = kHoldSeconds + kFadeSeconds; }
    /// Play time passes (seconds).
    void Update(double dt) { mTime += dt; }
    /// 1 while held, then falling linearly to 0 over the fade; 0 when no card is shown.
    double GetOpacity() const;
    const Lines& GetLines() const { return mLines; }
    /// Draws the card for a window of width × height pixels (nothing at opacity 0).
    void Draw(Graphics::Renderer& renderer, int width, int height) const;

private:
    Lines mLines;
    double mTime = kHoldSeconds + kFadeSeconds; // seconds since Show; starts past the fade
};

} // namespace Velmora::Logic
