#pragma once

#include <string>

namespace Velmora {

/// Shows a modal window captioned "CRITICAL ERROR" with the whole line and an OK button, and
/// blocks until it is dismissed (OK, Return, Escape or closing the window). Without a display
/// the line is written to standard error instead.
void ShowCriticalErrorBox(const std::string& line);

} // namespace Velmora
