#include "graphics/DebugWatch.h"

#include "graphics/DebugDrawManager.h"

namespace Velmora::Graphics {

DebugWatch::DebugWatch(std::string key, double lifetime) : mKey(std::move(key)), mLifetime(lifetime) {}

DebugWatch::~DebugWatch() { DebugDrawManager::GetInstance().SetWatch(mKey, mStream.str(), mLifetime); }

} // namespace Velmora::Graphics
