#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Velmora::Logic {

/// What a preload entry loads, by its element name in the preload file.
enum class PreloadKind {
    kSample,   ///< "sample": a sound effect, through the audio manager's sample loader
    kTrack,    ///< "track": a music track, through the audio manager's music loader
    kTexture,  ///< "texture": an image, through the texture manager
};

/// One resource of the preload list: what it is, the name its loader takes ("SFX/UI/lowblip.ogg",
/// "hud.png") and the line shown while it loads.
struct PreloadEntry {
    PreloadKind mKind = PreloadKind::kTexture;
    std::string mPath;
    std::string mMessage;
};

/// Reads data/misc/preload.xml: a root <preload> whose child elements are, in file order,
/// <sample>, <track> or <texture>, each with a <path> and a <message> text child.
/// Reading never loads a resource.
class PreloadList {
public:
    /// Larger files are refused as broken (the real list is a few kilobytes).
    static constexpr size_t kMaxFileBytes = 1 << 20;
    /// Entries past this many are ignored, with one log line.
    static constexpr size_t kMaxEntries = 4096;
    /// Unknown element names quoted in the one record that reports them.
    static constexpr size_t kShownUnknown = 3;

    /// data/misc/preload.xml under the game's root.
    static std::string DefaultPath();
    /// Reads the list at path into entries (replacing them). A file that cannot be read or
    /// parsed logs "Failed to load preloader file: PATH", one without a <preload> root logs
    /// "Preload file missing root <preload> element: PATH" (both critical, channel "LOGIC"), and
    /// the list is then empty (false). Elements of another name are skipped and reported in one
    /// critical record on "PRELOADER": "Unknown preloader type `NAME`" for one, the first
    /// kShownUnknown names, how many more and the count skipped for several.
    static bool ReadFile(const std::string& path, std::vector<PreloadEntry>& entries);
    /// The same over the text of a file; path only names it in the log lines.
    static bool Parse(std::string_view text, const std::string& path, std::vector<PreloadEntry>& entries);
    /// The element name of a kind ("sample", "track", "texture").
    static const char* KindName(PreloadKind kind);
};

} // namespace Velmora::Logic
