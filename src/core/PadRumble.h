#pragma once

#include <cstdint>
#include <string>

namespace Velmora {

/// The two rumble motors of a pad through Linux force feedback: the /dev/input/event* device
/// that carries the pad's name and supports FF_RUMBLE gets one rumble effect, whose magnitudes
/// are updated and which is played or stopped as the speeds change. Where no such device can be
/// opened (no permission, no device, no rumble) every call does nothing; one log line says so.
class PadRumble {
public:
    /// Looks for the device now. padName: the pad's name as the kernel reports it (SDL's
    /// joystick name); empty finds nothing. inputDirectory: where the event devices live.
    explicit PadRumble(const std::string& padName, const std::string& inputDirectory = "/dev/input");
    /// Stops the motors, removes the effect and closes the device.
    ~PadRumble();
    PadRumble(const PadRumble&) = delete;
    PadRumble& operator=(const PadRumble&) = delete;

    /// True while a rumble device is open.
    bool IsAvailable() const { return mDevice >= 0; }
    /// The path of the device in use; empty when none.
    const std::string& GetDevicePath() const { return mDevicePath; }
    /// Motor speeds 0 … 65535 (strong: the heavy low-frequency motor). Both 0 stops the effect.
    /// Repeating the current speeds sends nothing. A device that refuses the effect is closed.
    void SetVibration(uint16_t strong, uint16_t weak);

private:
    bool OpenMatching(const std::string& path, const std::string& padName);
    bool Upload(uint16_t strong, uint16_t weak);
    bool Play(bool on);
    void Close();

    int mDevice = -1;
    int mEffectId = -1;
    uint16_t mStrong = 0;
    uint16_t mWeak = 0;
    std::string mDevicePath;
};

} // namespace Velmora
