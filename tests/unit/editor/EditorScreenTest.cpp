// The editor over a running level: opened by F1, driven with synthetic mouse and keys.
#include "editor/EditorScreen.h"
#include "editor/SpawnData.h"
#include "graphics/DebugDrawManager.h"
#include "interface/WButton.h"
#include "interface/WField.h"
#include "interface/WLabel.h"
#include "interface/WidgetRoot.h"
#include "unit/logic/GameFixtures.h"

#include <algorithm>
#include <filesystem>

namespace Velmora {
namespace {

using Editor::EditorScreen;

class EditorScreenTest : public Tests::PlayScreenTest {
protected:
    void SetUp() override {
        Tests::PlayScreenTest::SetUp();
        // An editable archetype of our own, so the editor offers something to place.
        Factory::GetInstance().LoadArchetype("editor_marker", Tests::SourceDir() + "/data/object/waypoint.xml", true);
        // Names of our own: other tests may have loaded the game's archetypes as not editable.
        for (const char* name : {"guard", "trigger_zone"}) {
            Factory::GetInstance().LoadArchetype(std::string("editor_") + name,
                                                 Tests::SourceDir() + "/data/object/" + name + ".xml", true);
        }
        mCampaign = WriteCampaign({{"room", RoomLevel("room")}});
        mPlay = Start(mCampaign);
        Frame();
        Tap(SDLK_F1);
        mEditor = dynamic_cast<EditorScreen*>(TheGame().GetTopScreen());
        ASSERT_NE(mEditor, nullptr) << "F1 opens the editor";
    }

    void TearDown() override {
        // Saving puts "LEVEL `NAME` SAVED!" on screen for a while; it must not outlive the test.
        Graphics::DebugDrawManager::GetInstance().RenderOverlay(60.0, mRenderer);
        Tests::PlayScreenTest::TearDown();
    }

    // Puts the pointer over a world point of the editor's view.
    void PointAt(double x, double y) {
        const Graphics::View& view = Graphics::GraphicsManager::GetInstance().GetView();
        InputManager::GetInstance().SetMousePosition((x - view.mLeft) / (view.mRight - view.mLeft) * kWindowWidth,
                                                     (y - view.mBottom) / (view.mTop - view.mBottom) * kWindowHeight);
    }
    void Button(int button, bool down) {
        InputManager::GetInstance().SetButton(button, down);
        Frame();
    }
    void Click(double x, double y) {
        PointAt(x, y);
        Button(SDL_BUTTON_LEFT, true);
        Button(SDL_BUTTON_LEFT, false);
    }
    // Places a spawn of the archetype with the panel's mode and a click; returns the picked spawn.
    Logic::SpawnInfo* Create(const std::string& archetype, double x, double y) {
        const std::vector<std::string>& names = mEditor->GetArchetypes();
        mEditor->mArchetypeIndex =
            static_cast<unsigned>(std::find(names.begin(), names.end(), archetype) - names.begin());
        mEditor->SetMode(Editor::kModeCreateSpawn);
        Click(x, y);
        return mEditor->GetPicked();
    }
    // The panel's last button (in tree order) with that label, clicked as the mouse would.
    void ClickPanel(const std::string& label) {
        const Interface::Widget* button = FindButton(*mEditor->GetPanel().GetRoot()->GetTop(), label);
        ASSERT_NE(button, nullptr) << label;
        InputManager::GetInstance().SetMousePosition(button->GetAbsoluteX() + 3, button->GetAbsoluteY() + 3);
        Frame();
        Button(SDL_BUTTON_LEFT, true);
        Button(SDL_BUTTON_LEFT, false);
    }
    static const Interface::Widget* FindButton(const Interface::Widget& tree, const std::string& label) {
        const Interface::Widget* found = nullptr;
        const auto* text =
            tree.GetChildCount() > 0 ? dynamic_cast<const Interface::WLabel*>(tree.GetChild(0)) : nullptr;
        if (dynamic_cast<const Interface::WButton*>(&tree) && text && text->GetText() == label) found = &tree;
        for (unsigned i = 0; i < tree.GetChildCount(); ++i) {
            if (const Interface::Widget* inner = FindButton(*tree.GetChild(i), label)) found = inner;
        }
        return found;
    }
    void CtrlTap(int key) {
        InputManager::GetInstance().SetKey(SDLK_LCTRL, true);
        Tap(key);
        InputManager::GetInstance().SetKey(SDLK_LCTRL, false);
    }

    std::string mCampaign;
    Logic::PlayScreen* mPlay = nullptr;
    EditorScreen* mEditor = nullptr;
};

TEST_F(EditorScreenTest, LeavingWithoutChangesRestartsNothing) {
    EXPECT_EQ(mEditor->GetPanel().GetModeText(), "IDLE");
    EXPECT_EQ(Logic().mMenuScreenCount, 1);
    const Entity* player = Player();
    Tests::BroadcastRecorder counter;
    Tap(SDLK_F1);
    EXPECT_EQ(TheGame().GetTopScreen(), mPlay);
    EXPECT_EQ(counter.Count("MessageBeginLevel"), 0);
    EXPECT_EQ(Player(), player);
    EXPECT_EQ(Logic().mMenuScreenCount, 0);
}

TEST_F(EditorScreenTest, AStrokeIsOneUndoStepAndLeavingPlaysTheEditedLevel) {
    mEditor->mTileIndex = 13;
    PointAt(80, 48);
    Button(SDL_BUTTON_LEFT, true);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModePaint);
    for (const double x : {112.0, 144.0}) {
        PointAt(x, 48);
        Frame();
    }
    Button(SDL_BUTTON_LEFT, false);
    Logic::Level& level = *Logic().GetLevel();
    EXPECT_EQ(mEditor->GetHistory().GetStepCount(), 1u);
    EXPECT_EQ(level.GetStoredCell(4, 1), 13);
    CtrlTap(SDLK_z);
    EXPECT_EQ(level.GetStoredCell(2, 1), 0);
    EXPECT_EQ(level.GetStoredCell(4, 1), 0);
    CtrlTap(SDLK_y);
    EXPECT_EQ(level.GetStoredCell(3, 1), 13);

    // A save that cannot be written keeps the edits as unsaved ones, so leaving still asks
    // (tests/e2e/editor.sh answers that question).
    const std::string file = Logic::LevelFile::SavePath(level.GetFolder(), level.GetName());
    std::filesystem::create_directories(file + ".tmp");
    EXPECT_FALSE(mEditor->Save());
    EXPECT_TRUE(mEditor->GetHistory().IsModified());
    EXPECT_EQ(mEditor->GetPanel().GetStatusText().rfind("NOT SAVED (", 0), 0u) << "the panel says so";
    EXPECT_TRUE(mLog.mCritical.empty()) << "no error box over the editor";

    std::filesystem::remove(file + ".tmp");
    EXPECT_TRUE(mEditor->Save());
    Tests::BroadcastRecorder counter;
    Tap(SDLK_F1);
    EXPECT_EQ(TheGame().GetTopScreen(), mPlay) << "saved: nothing to ask";
    EXPECT_EQ(counter.Count("MessageBeginLevel"), 1) << "the edited level starts again";
    EXPECT_EQ(Logic().GetLevel()->GetLiveCell(3, 1), 13);
    EXPECT_EQ(mPlay->GetState(), Logic::kPlaying);
}

TEST_F(EditorScreenTest, SpawnsAreCreatedOnlyOnTheMapAndDraggedWithUndo) {
    ASSERT_FALSE(mEditor->GetArchetypes().empty());
    const size_t before = Logic().GetLevel()->GetSpawnList().size();
    mEditor->SetMode(Editor::kModeCreateSpawn);
    Click(-100, -100);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModeCreateSpawn) << "outside the map nothing happens";
    EXPECT_EQ(Logic().GetLevel()->GetSpawnList().size(), before);
    Click(144, 48);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModeIdle);
    ASSERT_EQ(Logic().GetLevel()->GetSpawnList().size(), before + 1);
    const Logic::SpawnInfo& created = *Logic().GetLevel()->GetSpawnList().back();
    EXPECT_NEAR(created.mPosition.x, 144.0, 1.5);

    Button(SDL_BUTTON_LEFT, true);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModeDrag);
    PointAt(176, 40);
    Frame();
    Button(SDL_BUTTON_LEFT, false);
    EXPECT_NEAR(Logic().GetLevel()->GetSpawnList().back()->mPosition.x, 176.0, 1.5);
    CtrlTap(SDLK_z);
    EXPECT_NEAR(Logic().GetLevel()->GetSpawnList().back()->mPosition.x, 144.0, 1.5);
    CtrlTap(SDLK_z);
    EXPECT_EQ(Logic().GetLevel()->GetSpawnList().size(), before);

    mEditor->StepSize(-10, 0);
    mEditor->StepSize(-1, 0);
    EXPECT_EQ(Logic().GetLevel()->GetWidth(), 1) << "width 1 is the least";
}

TEST_F(EditorScreenTest, AGuardsRouteAndAZoneAreSetWithUndoAndSavedAsShown) {
    // Clicks on a spawn without moving pick it and change nothing.
    Click(48, 48);
    PointAt(48, 48);
    Button(SDL_BUTTON_RIGHT, true);
    Button(SDL_BUTTON_RIGHT, false);
    EXPECT_EQ(mEditor->GetPicked(), Logic().GetLevel()->GetSpawnList().front().get());
    EXPECT_FALSE(mEditor->GetHistory().IsModified());
    EXPECT_FALSE(mEditor->HasChanges());
    EXPECT_EQ(mEditor->GetHistory().GetStepCount(), 0u);

    Logic::SpawnInfo* guard = Create("editor_guard", 80, 48);
    ASSERT_NE(guard, nullptr);
    EXPECT_EQ(Create("editor_marker", 112, 48)->mName, "wp1");
    EXPECT_EQ(Create("editor_marker", 144, 48)->mName, "wp2");
    Click(80, 48);
    ClickPanel("Add to Route");
    EXPECT_EQ(mEditor->GetMode(), Editor::kModeRoute);
    for (const double x : {144.0, 112.0, 20.0}) Click(x, 48);
    using Route = std::vector<std::string>;
    EXPECT_EQ(Editor::SpawnData::GetRoute(*guard), (Route{"wp2", "wp1"})) << "the click off a waypoint adds nothing";
    Tap(SDLK_ESCAPE);
    CtrlTap(SDLK_z);
    guard = Logic().GetLevel()->GetSpawnList()[1].get();
    EXPECT_EQ(Editor::SpawnData::GetRoute(*guard), (Route{"wp2"}));
    ClickPanel("Clear Route");
    EXPECT_TRUE(Logic().GetLevel()->GetSpawnList()[1]->mData.empty());

    // A new zone is a square round the click; its corner handle drags, snapped to half cells.
    Logic::SpawnInfo* zone = Create("editor_trigger_zone", 176, 48);
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(Editor::SpawnData::GetZone(*zone).mCorners[0], Vector2(128, 0));
    PointAt(129, 1);
    Button(SDL_BUTTON_LEFT, true);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModeCorner);
    PointAt(158, 35);
    Frame();
    Button(SDL_BUTTON_LEFT, false);
    ClickPanel("+"); // the zone id's, the last on the panel
    const Editor::SpawnData::Zone moved = Editor::SpawnData::GetZone(*mEditor->GetPicked());
    EXPECT_EQ(moved.mId, 2);
    EXPECT_EQ(moved.mCorners[0], Vector2(160, 32));
    EXPECT_EQ(moved.mCorners[1], Vector2(224, 96));

    const Logic::Level& level = *Logic().GetLevel();
    ASSERT_TRUE(mEditor->Save());
    const auto back =
        Logic::LevelFile::ReadLevel(Logic::LevelFile::SavePath(level.GetFolder(), level.GetName()), level.GetFolder());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->GetSpawnList().size(), level.GetSpawnList().size());
    for (size_t i = 0; i < level.GetSpawnList().size(); ++i) {
        EXPECT_EQ(back->GetSpawnList()[i]->mName, level.GetSpawnList()[i]->mName) << i;
        EXPECT_EQ(back->GetSpawnList()[i]->mData, level.GetSpawnList()[i]->mData) << i;
    }
}

TEST_F(EditorScreenTest, ReloadingDropsTheEditsAndTheirUndoSteps) {
    mEditor->GetHistory().SetTile(3, 1, 13, true);
    mEditor->Reload();
    EXPECT_TRUE(mLog.Contains("[EDITOR:1] Reloading level `room`"));
    EXPECT_EQ(Logic().GetLevel()->GetStoredCell(3, 1), 0);
    EXPECT_EQ(mEditor->GetHistory().GetStepCount(), 0u);
    EXPECT_EQ(mEditor->GetHistory().GetLevel(), Logic().GetLevel());
    Tests::BroadcastRecorder counter;
    Tap(SDLK_F1);
    EXPECT_EQ(TheGame().GetTopScreen(), mPlay) << "nothing unsaved after a reload";
    EXPECT_EQ(counter.Count("MessageBeginLevel"), 1) << "the play screen takes up the reloaded level";
}

TEST_F(EditorScreenTest, PanningAndZoomingKeepTheGrabbedPointUnderThePointer) {
    InputManager& input = InputManager::GetInstance();
    PointAt(100, 60);
    const Vector2 grabbed = mEditor->MouseWorld();
    input.SetKey(SDLK_LCTRL, true);
    Button(SDL_BUTTON_LEFT, true);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModePan);
    input.SetMousePosition(700, 200);
    Frame();
    EXPECT_NEAR(mEditor->MouseWorld().x, grabbed.x, 1e-6);
    EXPECT_NEAR(mEditor->MouseWorld().y, grabbed.y, 1e-6);
    input.SetKey(SDLK_LCTRL, false);
    Button(SDL_BUTTON_LEFT, false);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModeIdle);

    const Vector2 pointed = mEditor->MouseWorld();
    const double zoom = Graphics::GraphicsManager::GetInstance().GetView().mZoom;
    Button(SDL_BUTTON_WHEELUP, true);
    Button(SDL_BUTTON_WHEELUP, false);
    EXPECT_LT(Graphics::GraphicsManager::GetInstance().GetView().mZoom, zoom);
    EXPECT_NEAR(mEditor->MouseWorld().x, pointed.x, 1e-6);
    EXPECT_NEAR(mEditor->MouseWorld().y, pointed.y, 1e-6);
}

} // namespace
} // namespace Velmora
