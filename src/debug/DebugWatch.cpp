#include "debug/DebugWatch.h"

#include "debug/DebugDrawManager.h"

namespace Velmora::Debug {

DebugWatch::DebugWatch(std::string key, double lifetime) : mKey(std::move(key)), mLifetime(lifetime) {}

DebugWatch::~DebugWatch() { DebugDrawManager::GetInstance().SetWatch(mKey, mStream.str(), mLifetime); }

} // namespace Velmora::Debug
