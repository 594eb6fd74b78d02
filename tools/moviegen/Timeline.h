#pragma once

namespace Velmora::MovieGen {

// The opening movie's shape and the moments the picture and the score share. Times in seconds.
constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr int kFps = 24;
constexpr double kBpm = 90.0;
constexpr double kBeat = 60.0 / kBpm;
constexpr double kBar = 4.0 * kBeat;
constexpr int kBars = 12;
constexpr double kSeconds = kBars * kBar;  // 32 s
constexpr int kFrames = static_cast<int>(kSeconds * kFps);

// Scenes follow the music's phrases: three bars of city, three of the building, two of the
// briefcase, three of sound rings, and the title over the last bar and a half.
constexpr double kCityStart = 0.0;
constexpr double kBuildingStart = 3 * kBar;
constexpr double kBriefcaseStart = 6 * kBar;
constexpr double kRingsStart = 8 * kBar;
constexpr double kTitleStart = 10.5 * kBar;
constexpr double kCrossfade = 0.75;
constexpr double kFadeIn = 1.5;
constexpr double kFadeOut = 1.5;

// A sound ring leaves the player on each of these beats of the ring scene (counted from its
// start); the score rings a bell on the same beats.
constexpr double kRingBeats[] = {0.0, 2.0, 4.0, 7.0, 8.0, 10.0};

} // namespace Velmora::MovieGen
