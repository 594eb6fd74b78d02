#include "graphics/TextureManager.h"

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/LogRecord.h"
#include "graphics/GlContext.h"

#include <malloc.h>

namespace Velmora::Graphics {

TextureManager& TextureManager::GetInstance() {
    static TextureManager* instance = new TextureManager();
    return *instance;
}

void TextureManager::Initialize() { GetDefaultTexture(); }

void TextureManager::Deinitialize() {
    mTextures.clear();
    mDefault.reset();
    mPrograms.clear();
}

Texture* TextureManager::GetDefaultTexture() {
    if (!mDefault) {
        mDefault = std::make_unique<DefaultTexture>();
        mDefault->Load();
    }
    return mDefault.get();
}

Texture* TextureManager::FindTexture(const std::string& name, const std::string& shader) const {
    const auto it = mTextures.find(Key(name, shader));
    return it == mTextures.end() ? nullptr : it->second.get();
}

Texture* TextureManager::GetTexture(const std::string& name, const std::string& shader) {
    if (Texture* cached = FindTexture(name, shader)) return cached;
    ShaderProgram* program = shader.empty() ? nullptr : GetProgram(shader);
    auto texture = std::make_unique<Texture>(name, shader, Game::GetInstance().DataPath("image", name), program);
    if (!texture->Load()) return GetDefaultTexture();
    Texture* result = texture.get();
    mTextures[Key(name, shader)] = std::move(texture);
    return result;
}

Texture* TextureManager::RegisterTexture(const std::string& name, std::unique_ptr<Texture> texture) {
    std::unique_ptr<Texture>& slot = mTextures[Key(name, "")];
    if (!slot) slot = std::move(texture);
    return slot.get();
}

ShaderProgram* TextureManager::GetProgram(const std::string& name) {
    std::unique_ptr<ShaderProgram>& program = mPrograms[name];
    if (!program) {
        program = std::make_unique<ShaderProgram>(name, ShaderProgram::kVertexShader, name + ".frag",
                                                  Game::GetInstance().DataPath("shader", ""));
        if (HasGlContext()) program->Build();
    }
    return program.get();
}

void TextureManager::ReleaseAll() {
    for (auto& [key, texture] : mTextures) texture->Release();
    if (mDefault) mDefault->Release();
    for (auto& [name, program] : mPrograms) program->Release();
}

void TextureManager::ReloadAll() {
    for (auto& [name, program] : mPrograms) program->Build();
    // A file that has gone since its first load keeps its sizes and draws untextured.
    for (auto& [key, texture] : mTextures) texture->Load();
    if (mDefault) mDefault->Load();
}

void TextureManager::HandleMessage(Message& message) {
    const auto* update = MessageCast<MessageUpdateLoop>(message);
    if (!update) return;
    mClock += update->mDt;
    if (mClock < mNextParkCheck) return;
    mNextParkCheck = mClock + 1.0;
    if (mParkingRequests > 0) ParkIdle();
}

void TextureManager::Touch(Texture& texture) {
    texture.mLastDrawn = mClock;
    if (texture.IsParked() && !texture.Load()) {
        VELMORA_LOG("GRAPHICS") << "Could not load " << texture.mPath << " again: it draws untextured";
    }
}

int TextureManager::ParkIdle() {
    int parked = 0;
    for (auto& [key, texture] : mTextures) {
        if (texture->IsParked() || texture->GetUploadBytes() < kParkBytes) continue;
        if (mClock - texture->mLastDrawn < kParkAfterSeconds) continue;
        texture->Park();
        if (!texture->IsParked()) continue;
        VELMORA_LOG("GRAPHICS") << "Parked " << key.first << " until it is drawn again";
        ++parked;
    }
    // The driver frees the pictures into the heap; give the pages back, or the memory stays ours.
    if (parked > 0) malloc_trim(0);
    return parked;
}

} // namespace Velmora::Graphics
