#include "debug/TweakBarManager.h"

#include "debug/PerformanceManager.h"

namespace Velmora::Debug {

TweakVarBase::TweakVarBase(const std::string& key, const std::string& definition, TweakType type, void* address)
    : mKey(key), mDefinition(definition) {
    mBar = &TweakBarManager::GetInstance().GetMainBar();
    mBar->AddVariable(key, definition, type, address);
}

TweakBarManager& TweakBarManager::GetInstance() {
    static TweakBarManager* instance = new TweakBarManager();
    return *instance;
}

TweakBarManager::TweakBarManager() {
    mBars["main"] = std::make_unique<TweakBar>("Velmora");
}

TweakBar& TweakBarManager::GetBar(const std::string& key) {
    std::unique_ptr<TweakBar>& bar = mBars[key];
    if (!bar) bar = std::make_unique<TweakBar>(key);
    return *bar;
}

bool TweakBarManager::AnyVisible() const {
    for (const auto& [key, bar] : mBars) {
        if (bar->IsVisible()) return true;
    }
    return false;
}

void TweakBarManager::ToggleMainBar() {
    TweakBar& bar = GetMainBar();
    bar.SetVisible(!bar.IsVisible());
}

bool TweakBarManager::HandleEvent(const SDL_Event&) { return false; }

void TweakBarManager::CreateBars() {
    for (auto& [key, bar] : mBars) bar->mCreated = true;
    mRenderTimer = PerformanceManager::GetInstance().RegisterTimer("TweakBar Render Time");
}

void TweakBarManager::Draw() {}

void TweakBarManager::SetWindowSize(int, int) {}

void TweakBarManager::Shutdown() {
    for (auto& [key, bar] : mBars) bar->mCreated = false;
}

const TweakBar::Variable* TweakBarManager::FindVariable(const std::string& key) const {
    for (const auto& [barKey, bar] : mBars) {
        if (const TweakBar::Variable* variable = bar->FindVariable(key)) return variable;
    }
    return nullptr;
}

} // namespace Velmora::Debug
