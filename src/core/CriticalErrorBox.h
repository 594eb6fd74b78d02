#pragma once

#include <functional>
#include <string>

namespace Velmora {

/// Shows a modal window captioned "CRITICAL ERROR" with the whole line and an OK button, and
/// blocks until it is dismissed (OK, Return, Escape or closing the window) or the process is
/// asked to quit (SIGTERM, SIGINT: the quit stays queued for the frame loop). Without a display
/// the line is written to standard error instead. The hooks run around the box.
void ShowCriticalErrorBox(const std::string& line);

/// Run before a critical-error box shows and after it is gone: the game window gives up its
/// keyboard and pointer grab (leaving full screen if it must) so that the box can be reached,
/// and takes them back afterwards. Either may be empty.
void SetCriticalErrorBoxHooks(std::function<void()> before, std::function<void()> after);

} // namespace Velmora
