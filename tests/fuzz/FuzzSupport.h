// Shared by the fuzz targets: quiet logging, a scratch folder for readers that take a file, the
// bytes read as the typed values of an XML root element, and a small room with bodies for the
// targets that run a guard's components.
#pragma once

#include "core/Entity.h"
#include "core/LogRecord.h"
#include "core/ValueXml.h"
#include "core/XmlFile.h"
#include "game/LogicManager.h"
#include "graphics/ComponentTransform.h"
#include "physics/ComponentBody.h"
#include "physics/PhysicsManager.h"
#include "world/Level.h"

#include <tinyxml.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace Velmora::Tests {

/// What the fatal handler of FuzzFatalThrows throws, for readers where a broken file is fatal.
struct FuzzFatal {};
inline void FuzzFatalThrows() { throw FuzzFatal(); }

/// Silences critical messages, and replaces the fatal handler when one is given.
inline bool QuietLog(void (*fatal)() = nullptr) {
    LogRecord::SetCriticalHandler([](const std::string&) {});
    if (fatal) LogRecord::SetFatalHandler(fatal);
    return true;
}

inline std::string_view Text(const uint8_t* data, size_t size) { return {reinterpret_cast<const char*>(data), size}; }

/// A fresh folder /tmp/velmora-NAME-fuzz-XXXXXX, made on the first call and removed at exit.
inline const std::string& ScratchFolder(const std::string& name) {
    static const std::string root = [&name] {
        std::string pattern = "/tmp/velmora-" + name + "-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    [[maybe_unused]] static const int removal = std::atexit([] { std::filesystem::remove_all(root); });
    return root;
}

/// Writes the bytes to the file at path, replacing it; returns the path.
inline const std::string& WriteInput(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return path;
}

/// The typed values of the root element of the bytes read as XML; false when there is none.
inline bool ReadRootValues(const uint8_t* data, size_t size, ValueList& values) {
    TiXmlDocument document;
    ParseXmlText(Text(data, size), document);
    const TiXmlElement* root = document.RootElement();
    if (!root) return false;
    ReadValues(*root, values);
    return true;
}

/// A 6 × 6 room of floor in the logic manager (no catalogue is loaded, so every id reads as
/// floor) whose one cell (3, 2) blocks sight: the ray casts' grid is set directly.
inline void UseRoom() {
    static std::vector<TileFlags> sFlags(36, 0);
    [[maybe_unused]] static const bool ready = [] {
        auto level = std::make_unique<Logic::Level>();
        level->SetCells(6, 6, std::vector<int32_t>(36, 0));
        Logic::LogicManager::GetInstance().SetLevel(std::move(level));
        sFlags[2 * 6 + 3] = kTileBlocksVision;
        Physics::PhysicsManager::GetInstance().BuildCollisionMap(6, 6, sFlags);
        return true;
    }();
}

/// An entity with a transform and a body, to be spawned once the caller has added the rest.
inline Entity* MakeBody(int id, Vector2 position, Vector2 facing) {
    auto* entity = new Entity(id);
    auto* transform = new Graphics::ComponentTransform(entity);
    transform->mPosition = position;
    transform->mDirection = facing;
    entity->AddComponent(transform);
    entity->AddComponent(new Physics::ComponentBody(entity));
    return entity;
}

} // namespace Velmora::Tests
