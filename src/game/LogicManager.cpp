#include "game/LogicManager.h"

#include "ai/ComponentEmote.h"
#include "ai/ComponentGhost.h"
#include "ai/ComponentPerception.h"
#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Factory.h"
#include "core/Game.h"
#include "core/Path.h"
#include "core/Random.h"
#include "debug/PerformanceManager.h"
#include "game/AchievementManager.h"
#include "game/ComponentGenerator.h"
#include "game/ComponentGunPickup.h"
#include "game/ComponentMacGuffin.h"
#include "game/ComponentPlayer.h"
#include "game/ComponentSoundwave.h"
#include "game/ComponentTriggerZone.h"
#include "game/ComponentWaypoint.h"
#include "game/ParticleManager.h"
#include "graphics/Batch.h"
#include "graphics/ComponentTransform.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "graphics/Vertex.h"
#include "world/CampaignFile.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/LevelMessages.h"
#include "world/SpawnInfo.h"
#include "world/TileManager.h"

#include <algorithm>
#include <cstdlib>

namespace Velmora::Logic {

namespace {

const char* const kSoundwaveArchetype = "soundwave";

// Notification drawing, in window pixels.
constexpr double kNotificationTop = 56.0;     // from the window's top edge to the first band
constexpr double kNotificationGap = 6.0;      // between two bands
constexpr double kNotificationPadding = 14.0; // beside the text inside its band
constexpr double kNotificationFadeIn = 0.25;  // seconds
constexpr double kNotificationFadeOut = 1.0;  // seconds
constexpr int kNotificationBandLayer = 790;
constexpr int kNotificationTextLayer = 791;
constexpr uint32_t kNotificationText = Graphics::PackColor(205, 236, 255);
constexpr uint8_t kNotificationBandAlpha = 150;

// Strength of the wave each broken cell of glass makes.
constexpr double kShatterStrength = 3.0;

void PushMade(Game& game, const LogicManager::ScreenMaker& make) {
    if (make) game.PushScreen(make(game));
}

} // namespace

LogicManager& LogicManager::GetInstance() {
    static LogicManager* instance = new LogicManager(); // lives to process exit, like every system
    return *instance;
}

LogicManager::LogicManager() {
    Level::SetListener(this);
    Ai::SetAiHost(this);
}

LogicManager::~LogicManager() {
    Level::SetListener(nullptr);
    Ai::SetAiHost(nullptr);
}

void LogicManager::Initialize() {
    Game& game = Game::GetInstance();
    game.AddSystem(&TileManager::GetInstance());
    RegisterComponents(ComponentFactory::GetInstance());
    // Pushed in this order the preloader lies on top: it runs first, then the intro shows.
    PushMade(game, mScreenMakers.mIntro);
    PushMade(game, mScreenMakers.mPreloader);
}

void LogicManager::RegisterComponents(ComponentFactory& factory) {
    // In the order of the component table: ghost, perception, player, sound wave, emote,
    // waypoint, generator, trigger zone, MacGuffin, gun pickup.
    factory.Register<Ai::ComponentGhost>();
    factory.Register<Ai::ComponentPerception>();
    factory.Register<ComponentPlayer>();
    factory.Register<ComponentSoundwave>();
    factory.Register<Ai::ComponentEmote>();
    factory.Register<ComponentWaypoint>();
    factory.Register<ComponentGenerator>();
    factory.Register<ComponentTriggerZone>();
    factory.Register<ComponentMacGuffin>();
    factory.Register<ComponentGunPickup>();
}

void LogicManager::Deinitialize() {
    mTriggers.Invalidate();
    mLevel.reset();
    mVisibility.Clear();
    mNotifications.clear();
}

bool LogicManager::LoadCampaign(const std::string& id) {
    UnloadLevel();
    mCampaignId.clear();
    mLevelNames.clear();
    const std::string path = CampaignFile::CampaignPath(id);
    if (!IsRegularFile(path)) return false;
    mLevelNames = CampaignFile::ReadLevelNames(path);
    if (mLevelNames.empty()) {
        VELMORA_LOG_CRITICAL("LOGIC") << "Campaign has no levels";
        return false;
    }
    mCampaignId = id;
    return true;
}

void LogicManager::StartCampaign(const std::string& id, GameScreen* menu) {
    StartCampaign(id, menu, Game::GetInstance());
}

void LogicManager::StartCampaign(const std::string& id, GameScreen* menu, Game& game) {
    // A campaign that does not load still gets its play screen, which says so and returns to
    // the menu. End-to-end tests name a campaign of test levels that the menu does not offer.
    const char* forced = std::getenv("VELMORA_CAMPAIGN");
    LoadCampaign(forced && *forced ? forced : id);
    if (id == "training") mShowCreditsAtEnd = false;
    if (menu) game.RemoveScreen(menu);
    MessageEndLevel end;
    EntityManager::GetInstance().SendToAll(end);
    game.RemoveAllScreens();
    PushMade(game, mScreenMakers.mPlay);
}

void LogicManager::StartNewGame(Game& game) {
    game.RemoveAllScreens();
    PushMade(game, mScreenMakers.mPlay);
}

void LogicManager::OnCellShattered(const Vector2& centre) {
    CreateSoundwave(kSound, centre, kShatterStrength, Vector2(), 360.0);
    ParticleManager::GetInstance().EmitGlassBurst(centre);
}

void LogicManager::OnPaneShattered() { FireTriggerEvent(kEventShatter); }

void LogicManager::OnDoorCellOpened(const Vector2& corner) { ParticleManager::GetInstance().EmitDoorBurst(corner); }

void LogicManager::OnMapsRebuilt(Level&) {}

void LogicManager::EndLevel() {
    if (!mLevel) return;
    MessageEndLevel end;
    EntityManager::GetInstance().SendToAll(end);
    // The level's triggers go with it, perhaps while one of them runs (Engine.LoadLevel).
    mTriggers.Invalidate();
    mLevel.reset();
    // Entity ids are never reused, so what the old level's guards saw means nothing any more.
    mVisibility.Clear();
}

bool LogicManager::LoadLevel(const std::string& name) { return ReadAndBeginLevel(mCampaignId, name); }

bool LogicManager::LoadLevel(const std::string& folder, const std::string& name) {
    return ReadAndBeginLevel(folder, name);
}

bool LogicManager::ReadAndBeginLevel(const std::string& folder, const std::string& name) {
    EndLevel();
    mLevel = LevelFile::LoadLevel(folder, name);
    if (!mLevel) return false;
    const Level::MedalTimes& medals = mLevel->GetMedalTimes();
    AchievementManager::GetInstance().SetMedalTimes(medals.mBronze, medals.mSilver, medals.mGold);
    BeginLevel();
    return true;
}

void LogicManager::UnloadLevel() { EndLevel(); }

bool LogicManager::ReloadLevel() {
    if (!mLevel) return false;
    // Copied first: ending the level destroys the strings.
    const std::string folder = mLevel->GetFolder();
    const std::string name = mLevel->GetName();
    return ReadAndBeginLevel(folder, name);
}

void LogicManager::SetLevel(std::unique_ptr<Level> level) {
    EndLevel();
    mLevel = std::move(level);
}

void LogicManager::BeginLevel() {
    if (!mLevel) return;
    const uint32_t seed = Random::SeedFor(mLevel->GetName(), mLevelSeed);
    GetRandom().Seed(seed);
    std::srand(seed); // level scripts' math.random draws from the C library's generator
    mLevel->ResetCells();
    ResetLevelCounters();
    for (const std::unique_ptr<SpawnInfo>& spawn : mLevel->GetSpawnList()) SpawnEntity(*spawn);
    MessageBeginLevel begin;
    EntityManager::GetInstance().SendToAll(begin);
    Game::GetInstance().SendMessage(begin);
    ParticleManager::GetInstance().Clear();
}

bool LogicManager::RestartLevel() {
    if (!mLevel) return false;
    MessageEndLevel end;
    EntityManager::GetInstance().SendToAll(end);
    mVisibility.Clear(); // the guards that saw anything are gone
    BeginLevel();
    return true;
}

Entity* LogicManager::SpawnEntity(const SpawnInfo& spawn) {
    Entity* entity = Factory::GetInstance().Create(spawn.mArchetype, &spawn.mData);
    if (!entity) return nullptr;
    entity->SetName(spawn.mName);
    if (auto* transform = entity->GetComponent<Graphics::ComponentTransform>()) {
        transform->mPosition = spawn.mPosition;
        transform->mDirection = spawn.mDirection;
    }
    MessageSpawned spawned;
    entity->HandleMessage(spawned);
    return entity;
}

Entity* LogicManager::CreateSoundwave(SoundwaveKind kind, const Vector2& position, double strength,
                                      const Vector2& direction, double spreadDegrees) {
    if (TComponent<ComponentSoundwave>::GetInstances().size() >= kMaxSoundwaves) return nullptr;
    Factory& factory = Factory::GetInstance();
    // Every footstep and shot asks for a wave: without the archetype one line says so, not
    // one line per noise.
    if (!factory.FindArchetype(kSoundwaveArchetype)) {
        if (!mSoundwaveFailureLogged) VELMORA_LOG("LOGIC") << "Cannot find archetype `" << kSoundwaveArchetype << "`";
        mSoundwaveFailureLogged = true;
        return nullptr;
    }
    Entity* entity = factory.Create(kSoundwaveArchetype, nullptr);
    if (!entity) return nullptr;
    auto* transform = entity->GetComponent<Graphics::ComponentTransform>();
    auto* wave = entity->GetComponent<ComponentSoundwave>();
    if (!transform || !wave) {
        if (!mSoundwaveFailureLogged) {
            VELMORA_LOG("LOGIC") << "Archetype `" << kSoundwaveArchetype
                                 << "` needs a ComponentTransform and a ComponentSoundwave";
        }
        mSoundwaveFailureLogged = true;
        entity->Destroy();
        return nullptr;
    }
    transform->mPosition = position;
    transform->mDirection = direction;
    wave->mSpread = spreadDegrees;
    wave->mRaySpeed = mSoundwaveSpeed;
    wave->mInitialEnergy = mSoundwaveLifetime * strength;
    wave->mKind = kind;
    wave->Launch();
    return entity;
}

void LogicManager::AddNotification(const std::string& text) {
    if (mNotifications.size() >= kMaxNotifications) mNotifications.pop_front();
    mNotifications.push_back({text, kNotificationLifetime});
}

void LogicManager::UpdateNotifications(double dt) {
    for (Notification& notification : mNotifications) notification.mRemaining -= dt;
    std::erase_if(mNotifications, [](const Notification& notification) { return notification.mRemaining <= 0.0; });
}

void LogicManager::DrawNotifications(Graphics::Renderer& renderer) const {
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    DrawNotifications(renderer, graphics.GetWidth(), graphics.GetHeight());
}

void LogicManager::DrawNotifications(Graphics::Renderer& renderer, int width, int height) const {
    if (mNotifications.empty()) return;
    Graphics::FontManager& fonts = Graphics::FontManager::GetInstance();
    const Graphics::Font* font = fonts.GetFont("menu_small");
    if (!font) return;
    const double line = font->mLineHeight > 0 ? font->mLineHeight : 16.0;
    const double centre = width * 0.5;
    double top = height - kNotificationTop;
    Graphics::Batch& bands = renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, kNotificationBandLayer,
                                               4 * kMaxNotifications, Graphics::kBlendAlpha);
    for (const Notification& notification : mNotifications) {
        const double bottom = top - line;
        if (bottom < 0.0) break;
        const double age = kNotificationLifetime - notification.mRemaining;
        const double shown =
            std::clamp(std::min(age / kNotificationFadeIn, notification.mRemaining / kNotificationFadeOut), 0.0, 1.0);
        const double half = fonts.TextWidth(font, notification.mText) * 0.5 + kNotificationPadding;
        bands.AddRect(centre - half, centre + half, bottom - 3.0, top + 1.0,
                      Graphics::PackColor(0, 0, 0, static_cast<uint8_t>(kNotificationBandAlpha * shown)));
        fonts.DrawText(renderer, font, notification.mText, centre, bottom, Graphics::kAlignCenter,
                       kNotificationTextLayer,
                       Graphics::WithAlpha(kNotificationText, static_cast<uint8_t>(255.0 * shown)));
        top = bottom - kNotificationGap;
    }
}

Entity* LogicManager::GetPlayer() const {
    for (const ComponentPlayer* player : ComponentPlayer::GetInstances()) {
        if (!player->mOwner->IsDestroyed()) return player->mOwner;
    }
    return nullptr;
}

void LogicManager::RenderWorld(Graphics::Renderer& renderer) {
    if (mLevel) {
        const Graphics::View& view = Graphics::GraphicsManager::GetInstance().GetView();
        mLevel->Render(renderer, view.mLeft, view.mBottom, view.mRight, view.mTop);
    }
    Graphics::MessageRender render(&renderer);
    EntityManager::GetInstance().SendToAll(render);
    ParticleManager::GetInstance().Draw(renderer);
    RenderSoundwaves(renderer);
    DrawNavigationDebug();
}

void LogicManager::DrawNavigationDebug() const {
    const NavigationMap* map = GetNavigationMap();
    if (!map) return;
    if (mDebugNavigationMap || mDebugNavigationNodes) map->DrawDebug(mDebugNavigationMap, mDebugNavigationNodes);
    const Entity* player = mDebugNavigationNearest ? GetPlayer() : nullptr;
    if (const auto* transform = player ? player->GetComponent<Graphics::ComponentTransform>() : nullptr) {
        map->DrawNearest(transform->mPosition);
    }
}

const NavigationMap* LogicManager::GetNavigationMap() const { return mLevel ? &mLevel->GetNavigationMap() : nullptr; }

void LogicManager::MakeNoise(const Vector2& point, double strength) {
    CreateSoundwave(kSound, point, strength, Vector2(), 360.0);
}

bool LogicManager::IsDebugOn(DebugSwitch which) const {
    switch (which) {
        case kDebugPerception:
            return mDebugPerception;
        case kDebugVisibility:
            return mDebugVisibility;
        case kDebugBehaviors:
            return mDebugBehaviors;
    }
    return false;
}

void LogicManager::RenderSoundwaves(Graphics::Renderer& renderer) const {
    Debug::PerformanceManager& performance = Debug::PerformanceManager::GetInstance();
    static const int sTimer = performance.RegisterTimer("Soundwave Rendering");
    static const int sCounter = performance.RegisterCounter("Soundwave Rays Drawn", false);
    Debug::ScopedTimer timer(sTimer);
    const auto& waves = TComponent<ComponentSoundwave>::GetInstances();
    if (waves.empty()) return;
    Graphics::Texture* texture = Graphics::TextureManager::GetInstance().GetTexture("soundwave.png");
    // Additive: the ribbons glow on the dark floors, and where waves cross they grow brighter.
    Graphics::Batch& batch = renderer.GetBatch(Graphics::kPrimitiveQuads, texture, ComponentSoundwave::kLayer,
                                               kRibbonBatchVertices, Graphics::kBlendAdditive);
    for (const ComponentSoundwave* wave : waves) {
        if (wave->mOwner->IsDestroyed()) continue;
        const int bands = wave->AppendRibbon(renderer, batch);
        for (int i = 0; i < bands; ++i) performance.Count(sCounter);
    }
}

void LogicManager::FireTriggerEvent(TriggerEvent event, int zoneId) {
    mTriggers.FireEvent(mLevel ? &mLevel->GetTriggers() : nullptr, event, zoneId);
}

} // namespace Velmora::Logic
