#include "graphics/GraphicsManager.h"

#include "core/ComponentFactory.h"
#include "core/CriticalErrorBox.h"
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "core/LogRecord.h"
#include "core/Settings.h"
#include "core/WindowPointer.h"
#include "debug/PerformanceManager.h"
#include "debug/TweakBarManager.h"
#include "graphics/ComponentSprite.h"
#include "graphics/ComponentTransform.h"
#include "graphics/DebugDrawManager.h"
#include "graphics/FontManager.h"
#include "graphics/GlContext.h"
#include "graphics/PerformanceOverlay.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"

#include <GL/glew.h>

#include <chrono>

namespace Velmora::Graphics {

namespace {

// Larger saved sizes than any display offers are damaged settings, not choices.
constexpr int kMaxModeSize = 16384;

struct FrameStatistics {
    int mRendering;
    int mMisc;
    int mBatches;
    int mSwap;
    int mFrames;
};

const FrameStatistics& Statistics() {
    Debug::PerformanceManager& perf = Debug::PerformanceManager::GetInstance();
    static const FrameStatistics sStatistics{perf.RegisterTimer("Rendering Time"),
                                             perf.RegisterTimer("Misc Render Time"),
                                             perf.RegisterTimer("Batch Rendering"), perf.RegisterTimer("Buffer Swap"),
                                             perf.RegisterCounter("Frames per Second", true)};
    return sStatistics;
}

} // namespace

GraphicsManager& GraphicsManager::GetInstance() {
    static GraphicsManager* instance = new GraphicsManager();
    return *instance;
}

GraphicsManager::GraphicsManager() { Statistics(); }

void GraphicsManager::Initialize() {
    char driver[64] = {};
    SDL_VideoDriverName(driver, sizeof(driver));
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        mDesktopWidth = info->current_w;
        mDesktopHeight = info->current_h;
        mDesktopBpp = info->vfmt ? info->vfmt->BitsPerPixel : 0;
    }
    SetVideoMode(StartMode());

    const GLenum glew = glewInit();
    if (glew != GLEW_OK) {
        VELMORA_LOG("GRAPHICS") << "Failed to initialize GLEW: "
                                << reinterpret_cast<const char*>(glewGetErrorString(glew));
    }
    Game& game = Game::GetInstance();
    game.AddSystem(&TextureManager::GetInstance());
    game.AddSystem(&FontManager::GetInstance());
    ComponentFactory& components = ComponentFactory::GetInstance();
    components.Register<ComponentSprite>();
    components.Register<ComponentTransform>();
    Debug::TweakBarManager::GetInstance().CreateBars();
    SetCriticalErrorBoxHooks([this] { ReleaseWindowForBox(); }, [this] { RestoreWindowAfterBox(); });
}

VideoMode GraphicsManager::StartMode() const {
    const Settings& settings = Settings::GetInstance();
    const VideoMode saved{settings.GetInt(Settings::kScreenWidth, 0, kMinModeWidth, kMaxModeSize),
                          settings.GetInt(Settings::kScreenHeight, 0, kMinModeHeight, kMaxModeSize),
                          settings.GetInt(Settings::kFullscreen, 1, 0, 1) != 0};
    const bool haveSaved = saved.mWidth > 0 && saved.mHeight > 0;
    std::vector<VideoMode> fullscreen;
    std::vector<VideoMode> windowed;
    GetFullscreenModes(fullscreen);
    GetWindowedModes(windowed);
    return ChooseStartMode(haveSaved ? &saved : nullptr, fullscreen, windowed, mDesktopWidth, mDesktopHeight);
}

void GraphicsManager::RememberMode() const {
    Settings& settings = Settings::GetInstance();
    settings.SetInt(Settings::kScreenWidth, GetWidth());
    settings.SetInt(Settings::kScreenHeight, GetHeight());
    settings.SetInt(Settings::kFullscreen, IsFullscreen() ? 1 : 0);
    settings.Save();
}

void GraphicsManager::Deinitialize() { Debug::TweakBarManager::GetInstance().Shutdown(); }

void GraphicsManager::GetFullscreenModes(std::vector<VideoMode>& modes) const {
    modes.clear();
    SDL_Rect** offered = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_DOUBLEBUF | SDL_OPENGL);
    if (!offered) {
        VELMORA_FATAL << "No video modes available!";
        return;
    }
    // SDL's answer that any size will do: the caller falls back to the desktop size.
    if (offered == reinterpret_cast<SDL_Rect**>(-1)) return;
    std::vector<VideoMode> sizes;
    for (int i = 0; offered[i]; ++i) sizes.push_back({offered[i]->w, offered[i]->h, true});
    modes = SortFullscreenModes(sizes, mDesktopWidth, mDesktopHeight);
}

void GraphicsManager::GetWindowedModes(std::vector<VideoMode>& modes) const {
    modes = FilterWindowedModes(mDesktopWidth, mDesktopHeight);
}

VideoMode GraphicsManager::GetCurrentMode() const { return {GetWidth(), GetHeight(), IsFullscreen()}; }

void GraphicsManager::SetVideoMode(const VideoMode& mode) {
    // The GL context is replaced: everything living in it goes first and is rebuilt after.
    TextureManager& textures = TextureManager::GetInstance();
    textures.ReleaseAll();
    mBloom.Release();

    // SDL moves the pointer to the middle of a new full-screen window; it goes back to where the
    // player had it, so aiming and walking carry on towards the same point.
    int pointerX = 0;
    int pointerY = 0;
    const bool hadPointer = mScreen && QueryWindowPointer(pointerX, pointerY) && pointerX >= 0 && pointerY >= 0 &&
        pointerX < mScreen->w && pointerY < mScreen->h;

    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    // Everything is drawn in painter's order: no depth or stencil buffer (a window-sized one
    // would cost memory in every frame buffer).
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    const Uint32 flags = SDL_OPENGL | SDL_DOUBLEBUF | (mode.mFullscreen ? SDL_FULLSCREEN : SDL_RESIZABLE);
    mScreen = SDL_SetVideoMode(mode.mWidth, mode.mHeight, mDesktopBpp, flags);
    if (!mScreen) {
        VELMORA_FATAL << "Failed to initialize SDL video: " << SDL_GetError();
        return;
    }
    VELMORA_LOG("GRAPHICS") << "Video mode " << mScreen->w << "x" << mScreen->h
                            << (IsFullscreen() ? " full screen" : " windowed");
    // Presenting one cleared frame makes the driver pick up the window's new size at once (the
    // software rasteriser otherwise keeps the old buffer size until the first swap).
    ResetState();
    SDL_GL_SwapBuffers();
    ResetState();
    mView.SetWindowSize(mScreen->w, mScreen->h);
    Debug::TweakBarManager::GetInstance().SetWindowSize(mScreen->w, mScreen->h);
    textures.ReloadAll();
    mBloom.Setup(mScreen->w, mScreen->h);
    // SDL forgets where the pointer is with the old window (aiming and walking follow the real
    // pointer at once, not the first motion), and the key-ups of the Alt+Return that brought
    // this mode went to the old one.
    InputManager& input = InputManager::GetInstance();
    if (hadPointer && pointerX < mScreen->w && pointerY < mScreen->h) {
        SDL_WarpMouse(static_cast<Uint16>(pointerX), static_cast<Uint16>(pointerY));
    }
    input.ResyncPointer();
    input.ReleaseHeldKeys();
}

void GraphicsManager::ToggleFullscreen() {
    std::vector<VideoMode> candidates;
    if (IsFullscreen())
        GetWindowedModes(candidates);
    else
        GetFullscreenModes(candidates);
    const VideoMode target = ChooseToggleMode(candidates, mDesktopWidth, mDesktopHeight);
    if (!(target == GetCurrentMode())) SetVideoMode(target);
    RememberMode();
}

void GraphicsManager::HandleFocusLost() {
    if (!IsFullscreen()) return;
    mIconified = true;
    SDL_WM_IconifyWindow();
}

void GraphicsManager::HandleFocusGained() {
    // The pointer came back from another window: SDL has not seen it move there, nor the
    // release of an Alt held to switch windows.
    InputManager& input = InputManager::GetInstance();
    input.ResyncPointer();
    input.ReleaseHeldKeys();
    // Only a window that was put away gets its mode again: setting a full-screen mode itself
    // moves the focus, and answering every gain would switch modes forever.
    if (!IsFullscreen() || !mIconified) return;
    mIconified = false;
    SetVideoMode(GetCurrentMode());
}

void GraphicsManager::ReleaseWindowForBox() {
    if (!mScreen) return;
    mBoxReleasedGrab = SDL_WM_GrabInput(SDL_GRAB_QUERY) == SDL_GRAB_ON;
    mBoxLeftFullscreen = IsFullscreen();
    // SDL switches an X11 window in place, keeping the GL context; where it cannot, the window
    // gets a windowed mode of the same size.
    if (mBoxLeftFullscreen && !SDL_WM_ToggleFullScreen(mScreen)) SetVideoMode({GetWidth(), GetHeight(), false});
    SDL_WM_GrabInput(SDL_GRAB_OFF);
}

void GraphicsManager::RestoreWindowAfterBox() {
    if (!mScreen) return;
    if (mBoxLeftFullscreen && !IsFullscreen() && !SDL_WM_ToggleFullScreen(mScreen)) {
        SetVideoMode({GetWidth(), GetHeight(), true});
    }
    if (mBoxReleasedGrab) SDL_WM_GrabInput(SDL_GRAB_ON);
    mBoxLeftFullscreen = mBoxReleasedGrab = false;
}

void GraphicsManager::LoadPixelSpace() {
    if (!HasGlContext()) return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, GetWidth(), 0.0, GetHeight(), -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GraphicsManager::ResetState() {
    if (!HasGlContext()) return;
    glViewport(0, 0, GetWidth(), GetHeight());
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    LoadPixelSpace();
    glClear(GL_COLOR_BUFFER_BIT);
}

int GraphicsManager::FlushBatches() {
    Debug::ScopedTimer timer(Statistics().mBatches);
    return mRenderer.Flush();
}

void GraphicsManager::Render(double dt) {
    const FrameStatistics& statistics = Statistics();
    Debug::PerformanceManager& perf = Debug::PerformanceManager::GetInstance();
    perf.StartTimer(statistics.mRendering);
    ResetState();
    MessageBeginFrame begin;
    Game::GetInstance().SendMessage(begin);
    RenderWorldPass(dt);
    RenderOverlayPass(dt);
    perf.StopTimer(statistics.mRendering);
    const auto swapStart = std::chrono::steady_clock::now();
    {
        Debug::ScopedTimer swap(statistics.mSwap);
        if (HasGlContext()) SDL_GL_SwapBuffers();
    }
    perf.Count(statistics.mFrames);
    mPacer.Wait(std::chrono::duration<double>(std::chrono::steady_clock::now() - swapStart).count());
}

void GraphicsManager::RenderWorldPass(double dt) {
    mView.ApplyView();
    mBloom.Update({static_cast<float>(mBloomRatio0), static_cast<float>(mBloomRatio1), static_cast<float>(mBloomRatio2),
                   static_cast<float>(mBloomRatio3), static_cast<float>(mBloomBrightness)});
    mBloom.BeginCapture();
    MessageRenderWorld world(&mRenderer);
    Game::GetInstance().SendMessage(world);
    const bool worldDrawn = FlushBatches() > 0;
    mBloom.EndAndCompose(worldDrawn);
    // Debug shapes go over the composed world, in world units but outside the glow.
    LoadPixelSpace();
    mView.ApplyView();
    Graphics::DebugDrawManager::GetInstance().RenderWorld(dt);
}

void GraphicsManager::RenderOverlayPass(double dt) {
    const int misc = Statistics().mMisc;
    Game& game = Game::GetInstance();
    LoadPixelSpace();
    {
        Debug::ScopedTimer timer(misc);
        MessageRenderOverlay overlay(&mRenderer);
        game.SendMessage(overlay);
    }
    Graphics::DebugDrawManager::GetInstance().RenderOverlay(dt, mRenderer);
    {
        Debug::ScopedTimer timer(misc);
        MessageEndFrame end;
        game.SendMessage(end);
    }
    if (mDrawPerf) PerformanceOverlay::Draw(mRenderer, Debug::PerformanceManager::GetInstance());
    FlushBatches();
    // The tweak panels are drawn last, over everything else.
    Debug::ScopedTimer timer(misc);
    Debug::TweakBarManager& tweaks = Debug::TweakBarManager::GetInstance();
    if (tweaks.AnyVisible()) tweaks.Draw();
}

void GraphicsManager::SetBloomValues(double ratio0, double ratio1, double ratio2, double ratio3, double brightness) {
    mBloomRatio0 = ratio0;
    mBloomRatio1 = ratio1;
    mBloomRatio2 = ratio2;
    mBloomRatio3 = ratio3;
    mBloomBrightness = brightness;
}

void GraphicsManager::ApplyDefaultBloomPreset() {
    SetBloomValues(1.5, -1.0, 0.5, 0.5, 1.2);
    mBloom.ResetCurrent();
}

void GraphicsManager::ApplyDimBloomPreset() { SetBloomValues(0.5, 0.0, 1.5, 1.5, 0.2); }

} // namespace Velmora::Graphics
