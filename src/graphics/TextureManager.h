#pragma once

#include "core/ISystem.h"
#include "graphics/DefaultTexture.h"
#include "graphics/ShaderProgram.h"
#include "graphics/Texture.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace Velmora::Graphics {

/// Loads each image once per (file, shader) pair and hands out shared textures, falling back to
/// the generated default texture for files that fail to load. Owns every texture and every
/// shader program. A system, added by the graphics manager when it initialises.
class TextureManager : public ISystem {
public:
    static TextureManager& GetInstance();
    TextureManager() = default;
    ~TextureManager() override = default;

    /// Creates and loads the default texture.
    void Initialize() override;
    /// Deletes every texture and program (pointers handed out become invalid).
    void Deinitialize() override;

    /// The texture of root/data/image/name drawn with the named program (empty: none), loaded
    /// on first request. Never null: a file that fails to load yields the default texture and
    /// is not cached, so a later request tries again.
    Texture* GetTexture(const std::string& name, const std::string& shader = "");
    /// The cached texture of the pair, or null; loads nothing.
    Texture* FindTexture(const std::string& name, const std::string& shader = "") const;
    /// Takes ownership of a texture created elsewhere (a font page, "font/NAME") and keeps it
    /// under (name, no shader), so it is released and reloaded with the others. A texture already
    /// registered under that name is kept and returned instead (pointers to it stay valid).
    Texture* RegisterTexture(const std::string& name, std::unique_ptr<Texture> texture);
    /// The fallback texture, created on first use.
    Texture* GetDefaultTexture();
    /// The program of that name (fragment shader NAME.frag with Passv.vert from root/data/shader),
    /// created on first request and built at once when a GL context exists.
    ShaderProgram* GetProgram(const std::string& name);

    /// Deletes every GL texture and program object, before the GL context goes away.
    void ReleaseAll();
    /// Builds the programs and loads every texture again, once a new GL context exists.
    void ReloadAll();

    size_t GetTextureCount() const { return mTextures.size(); }

    /// Pictures of at least this many bytes are parked when not drawn for kParkAfterSeconds.
    static constexpr size_t kParkBytes = size_t{256} << 10;
    static constexpr double kParkAfterSeconds = 5.0;
    /// Advances the clock on every frame and, once a second while parking is on, parks the large
    /// textures that have not been drawn for a while and hands their memory back to the system.
    void HandleMessage(Message& message) override;
    /// Parking is on while a level is played: each play screen asks for it while it lives (the
    /// next level's screen comes before the last one goes). Parked textures come back when
    /// drawn either way.
    void SetParking(bool on) { mParkingRequests += on ? 1 : -1; }
    /// Called for every texture drawn: notes the time, and loads a parked texture again.
    void Touch(Texture& texture);
    /// Parks every large texture not drawn since the clock read now - kParkAfterSeconds; the
    /// number parked.
    int ParkIdle();

private:
    using Key = std::pair<std::string, std::string>;

    std::map<Key, std::unique_ptr<Texture>> mTextures;
    std::unique_ptr<DefaultTexture> mDefault;
    std::map<std::string, std::unique_ptr<ShaderProgram>> mPrograms;
    double mClock = 0.0;
    int mParkingRequests = 0;
    double mNextParkCheck = kParkAfterSeconds;
};

} // namespace Velmora::Graphics
