#include "debug/TweakBarManager.h"

#include "debug/PerformanceManager.h"
#include "debug/TweakBarWindow.h"

namespace Velmora::Debug {

TweakVarBase::TweakVarBase(const std::string& key, const std::string& definition, TweakType type, void* address)
    : mKey(key), mDefinition(definition), mAddress(address) {
    mBar = &TweakBarManager::GetInstance().GetMainBar();
    mBar->AddVariable(key, definition, type, address);
}

TweakVarBase::~TweakVarBase() { mBar->RemoveVariable(mKey, mAddress); }

TweakBarManager& TweakBarManager::GetInstance() {
    static TweakBarManager* instance = new TweakBarManager();
    return *instance;
}

TweakBarManager::TweakBarManager() { mBars["main"] = std::make_unique<TweakBar>("Velmora"); }

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
    // While hidden the panel hears no events, so it would miss releases; start afresh.
    mPanel.ResetInput();
}

bool TweakBarManager::HandleEvent(const SDL_Event& event) { return mPanel.HandleEvent(event); }

void TweakBarManager::CreateBars() {
    mRenderTimer = PerformanceManager::GetInstance().RegisterTimer("TweakBar Render Time");
    if (mWidth <= 0 || mHeight <= 0) {
        if (const SDL_Surface* screen = SDL_GetVideoSurface()) {
            mWidth = screen->w;
            mHeight = screen->h;
        }
    }
    mPanel.Create(mWidth, mHeight);
    for (auto& [key, bar] : mBars) bar->mCreated = true;
}

void TweakBarManager::Draw() {
    if (!mPanel.IsCreated() || !AnyVisible()) return;
    ScopedTimer timer(mRenderTimer);
    mPanel.BeginFrame();
    int index = 0;
    for (const auto& [key, bar] : mBars) {
        if (bar->IsVisible()) TweakBarWindow::Draw(key, *bar, index++, mPanel);
    }
    mPanel.EndFrame();
}

void TweakBarManager::SetWindowSize(int width, int height) {
    mWidth = width;
    mHeight = height;
    mPanel.SetDisplaySize(width, height);
}

void TweakBarManager::Shutdown() {
    mPanel.Destroy();
    for (auto& [key, bar] : mBars) bar->mCreated = false;
}

const TweakBar::Variable* TweakBarManager::FindVariable(const std::string& key) const {
    for (const auto& [barKey, bar] : mBars) {
        if (const TweakBar::Variable* variable = bar->FindVariable(key)) return variable;
    }
    return nullptr;
}

} // namespace Velmora::Debug
