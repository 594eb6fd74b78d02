#pragma once

#include <sstream>
#include <string>

namespace Velmora::Graphics {

/// A stream-like record that sets a watch text of the debug-draw manager when it goes out of
/// scope, for example: DebugWatch("player.speed", 2.0) << "speed " << speed;
class DebugWatch {
public:
    /// key: which watch to replace; lifetime: seconds the text stays (fading out).
    explicit DebugWatch(std::string key, double lifetime = 1.0);
    ~DebugWatch();
    DebugWatch(const DebugWatch&) = delete;
    DebugWatch& operator=(const DebugWatch&) = delete;

    template <class T>
    DebugWatch& operator<<(const T& value) {
        mStream << value;
        return *this;
    }

private:
    std::string mKey;
    double mLifetime;
    std::ostringstream mStream;
};

} // namespace Velmora::Graphics
