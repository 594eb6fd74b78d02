#pragma once

#include <cstdint>

namespace Velmora::Tools::Palette {

// One palette for every image: near-black rooms, cool steel, neon-blue sound.
constexpr std::uint32_t kVoid = 0x05070B;
constexpr std::uint32_t kFloor = 0x0E131C;
constexpr std::uint32_t kPanel = 0x111823;
constexpr std::uint32_t kPanelLight = 0x1C2636;
constexpr std::uint32_t kSteel = 0x2C3A4E;
constexpr std::uint32_t kSteelLight = 0x5D7591;
constexpr std::uint32_t kSound = 0x33AAFF;      // the Sound Gun and sound waves: (51, 170, 255)
constexpr std::uint32_t kSoundLight = 0xA8E0FF;
constexpr std::uint32_t kSoundDeep = 0x0B3D6B;
constexpr std::uint32_t kWhiteGun = 0xEDF3FA;
constexpr std::uint32_t kShock = 0xFF160A;      // the Shock Gun: (255, 22, 10)
constexpr std::uint32_t kShockLight = 0xFF8A70;
constexpr std::uint32_t kExit = 0x3CFF8A;
constexpr std::uint32_t kAmber = 0xFFB23E;
constexpr std::uint32_t kGold = 0xFFD45A;
constexpr std::uint32_t kText = 0xDCE8F5;
constexpr std::uint32_t kTextDim = 0x8296AD;

} // namespace Velmora::Tools::Palette
