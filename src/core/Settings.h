#pragma once

#include <map>
#include <string>

namespace Velmora {

/// The game's settings: the keys of the shipped "config.xml" (beside data/), overridden key by
/// key by the player's own "config.xml" in the user's config folder. Both files are a <config>
/// root whose child elements are the keys, with the value as text:
///
///     <config><MusicVolume>0.5</MusicVolume><Fullscreen>0</Fullscreen></config>
///
/// Only the player's keys are written back, so a shipped default the player never changed keeps
/// following the shipped file. Values are read tolerantly: a value of the wrong type or out of
/// range reads as the caller's fallback.
class Settings {
public:
    using Keys = std::map<std::string, std::string>;

    /// Keys: "ScreenWidth", "ScreenHeight" (pixels), "Fullscreen" (0 or 1), "MusicVolume" and
    /// "EffectsVolume" (0 to 1).
    static constexpr const char* kScreenWidth = "ScreenWidth";
    static constexpr const char* kScreenHeight = "ScreenHeight";
    static constexpr const char* kFullscreen = "Fullscreen";
    static constexpr const char* kMusicVolume = "MusicVolume";
    static constexpr const char* kEffectsVolume = "EffectsVolume";
    /// At most this many keys are taken from one file; a key must be a plain name (see
    /// IsPlainFileStem) and its value printable ASCII of at most kMaxTextLength bytes, others are
    /// dropped: a hostile file cannot make the game hold or write back anything large or odd.
    static constexpr size_t kMaxKeys = 64;
    static constexpr size_t kMaxTextLength = 256;

    /// The reason Parse gives for a document whose root is not <config>.
    static constexpr const char* kNoConfigRoot = "no <config> root";

    /// The game's settings, created empty on first use.
    static Settings& GetInstance();

    /// Parses a settings document into keys (added to those given, later ones winning), dropping
    /// keys and values that are not plain (see kMaxKeys). False
    /// when the text is not XML with a <config> root; `why` then says what was wrong.
    static bool Parse(const std::string& text, Keys& keys, std::string& why);
    /// The document for a set of keys, as Parse reads it.
    static std::string Serialize(const Keys& keys);

    /// Replaces the shipped keys with those of the text (false, keys kept, when it is damaged).
    bool SetShipped(const std::string& text, std::string& why);
    /// Reads the player's file at `path`: a missing file means no overrides; a damaged one is set
    /// aside as "path.bad" with a log line. Later saves go to `path`.
    void LoadUser(const std::string& path);

    /// The value of a key: the player's, else the shipped one, else the fallback.
    std::string GetString(const std::string& key, const std::string& fallback) const;
    /// An integer key within [low, high]; anything else (text, fraction, out of range) is the fallback.
    int GetInt(const std::string& key, int fallback, int low, int high) const;
    /// A number key within [low, high]; anything else (text, NaN, out of range) is the fallback.
    double GetDouble(const std::string& key, double fallback, double low, double high) const;

    /// Sets a player's key (a plain name; values are cut to kMaxTextLength bytes); the change is
    /// kept in memory until Save.
    void Set(const std::string& key, const std::string& value);
    void SetInt(const std::string& key, int value);
    void SetDouble(const std::string& key, double value);

    /// Writes the player's keys when they changed since the last save. A failure (unwritable
    /// folder, no home) is logged once; the settings stay in memory for the rest of the run.
    bool Save();
    /// Forgets every key and the player's file (tests).
    void Reset();

    const Keys& GetUserKeys() const { return mUser; }

private:
    const std::string* Find(const std::string& key) const;

    Keys mShipped;
    Keys mUser;
    std::string mUserPath;
    bool mDirty = false;
    bool mSaveFailureLogged = false;
};

} // namespace Velmora
