#include "core/PadRumble.h"

#include "core/LogRecord.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

namespace Velmora {

namespace {

bool HasBit(const unsigned long* bits, int bit) {
    constexpr int kBitsPerLong = static_cast<int>(sizeof(unsigned long) * 8);
    return (bits[bit / kBitsPerLong] >> (bit % kBitsPerLong)) & 1ul;
}

// event0, event1 … in numeric order, so the lowest matching device wins every time.
std::vector<std::string> EventDevices(const std::string& directory) {
    std::vector<std::pair<long, std::string>> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("event", 0) != 0) continue;
        found.emplace_back(std::strtol(name.c_str() + 5, nullptr, 10), entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [number, path] : found) paths.push_back(std::move(path));
    return paths;
}

} // namespace

PadRumble::PadRumble(const std::string& padName, const std::string& inputDirectory) {
    if (padName.empty()) return;
    for (const std::string& path : EventDevices(inputDirectory)) {
        if (OpenMatching(path, padName)) break;
    }
    if (mDevice < 0) VELMORA_LOG("CORE") << "Pad `" << padName << "` has no usable rumble device; it will not vibrate";
}

PadRumble::~PadRumble() { Close(); }

bool PadRumble::OpenMatching(const std::string& path, const std::string& padName) {
    const int device = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (device < 0) return false;
    char name[256] = {};
    unsigned long ffBits[(FF_MAX + 1 + sizeof(unsigned long) * 8 - 1) / (sizeof(unsigned long) * 8)] = {};
    const bool matches = ::ioctl(device, EVIOCGNAME(sizeof(name) - 1), name) >= 0 && padName == name &&
        ::ioctl(device, EVIOCGBIT(EV_FF, sizeof(ffBits)), ffBits) >= 0 && HasBit(ffBits, FF_RUMBLE);
    if (!matches) {
        ::close(device);
        return false;
    }
    mDevice = device;
    mDevicePath = path;
    return true;
}

void PadRumble::SetVibration(uint16_t strong, uint16_t weak) {
    if (mDevice < 0 || (strong == mStrong && weak == mWeak)) return;
    const bool ok = (strong == 0 && weak == 0) ? Play(false) : Upload(strong, weak) && Play(true);
    if (!ok) {
        VELMORA_LOG("CORE") << "Rumble device " << mDevicePath << " refused the effect; the pad will not vibrate";
        Close();
        return;
    }
    mStrong = strong;
    mWeak = weak;
}

bool PadRumble::Upload(uint16_t strong, uint16_t weak) {
    ff_effect effect;
    std::memset(&effect, 0, sizeof(effect));
    effect.type = FF_RUMBLE;
    effect.id = static_cast<int16_t>(mEffectId); // -1 the first time: the kernel picks the slot
    effect.u.rumble.strong_magnitude = strong;
    effect.u.rumble.weak_magnitude = weak;
    effect.replay.length = 0; // plays until stopped
    if (::ioctl(mDevice, EVIOCSFF, &effect) < 0) return false;
    mEffectId = effect.id;
    return true;
}

bool PadRumble::Play(bool on) {
    if (mEffectId < 0) return true; // nothing uploaded, nothing playing
    input_event event;
    std::memset(&event, 0, sizeof(event));
    event.type = EV_FF;
    event.code = static_cast<uint16_t>(mEffectId);
    event.value = on ? 1 : 0;
    return ::write(mDevice, &event, sizeof(event)) == static_cast<ssize_t>(sizeof(event));
}

void PadRumble::Close() {
    if (mDevice < 0) return;
    if (mEffectId >= 0) {
        Play(false);
        ::ioctl(mDevice, EVIOCRMFF, mEffectId);
    }
    ::close(mDevice);
    mDevice = -1;
    mEffectId = -1;
    mStrong = mWeak = 0;
}

} // namespace Velmora
