// The editor over a running level: opened by F1, driven with synthetic mouse and keys.
#include "editor/ConfirmUnsaved.h"
#include "editor/EditorScreen.h"
#include "graphics/DebugDrawManager.h"
#include "unit/logic/PlayScreenFixture.h"

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
    Tests::MessageCounter counter;
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

    // A save that cannot be written keeps the edits, and leaving still asks.
    const std::string file = Logic::LevelFile::SavePath(level.GetFolder(), level.GetName());
    std::filesystem::create_directories(file + ".tmp");
    EXPECT_FALSE(mEditor->Save());
    EXPECT_TRUE(mEditor->GetHistory().IsModified());
    Tap(SDLK_F1);
    ASSERT_NE(dynamic_cast<Editor::ConfirmUnsaved*>(TheGame().GetTopScreen()), nullptr);
    Tap(SDLK_ESCAPE);
    EXPECT_EQ(TheGame().GetTopScreen(), mEditor) << "Escape answers NO";

    std::filesystem::remove(file + ".tmp");
    EXPECT_TRUE(mEditor->Save());
    EXPECT_TRUE(std::filesystem::exists(file + ".bak"));
    Tests::MessageCounter counter;
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
    PointAt(-100, -100);
    Button(SDL_BUTTON_LEFT, true);
    Button(SDL_BUTTON_LEFT, false);
    EXPECT_EQ(mEditor->GetMode(), Editor::kModeCreateSpawn) << "outside the map nothing happens";
    EXPECT_EQ(Logic().GetLevel()->GetSpawnList().size(), before);
    PointAt(144, 48);
    Button(SDL_BUTTON_LEFT, true);
    Button(SDL_BUTTON_LEFT, false);
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

TEST_F(EditorScreenTest, ReloadingDropsTheEditsAndTheirUndoSteps) {
    mEditor->GetHistory().SetTile(3, 1, 13, true);
    mEditor->Reload();
    EXPECT_TRUE(mLog.Contains("[EDITOR:1] Reloading level `room`"));
    EXPECT_EQ(Logic().GetLevel()->GetStoredCell(3, 1), 0);
    EXPECT_EQ(mEditor->GetHistory().GetStepCount(), 0u);
    EXPECT_EQ(mEditor->GetHistory().GetLevel(), Logic().GetLevel());
    Tests::MessageCounter counter;
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
