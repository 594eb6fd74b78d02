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
#include <fstream>

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

    std::string mCampaign;
    Logic::PlayScreen* mPlay = nullptr;
    EditorScreen* mEditor = nullptr;
};

TEST_F(EditorScreenTest, LeavingWithoutChangesRestartsNothing) {
    EXPECT_EQ(Logic().mMenuScreenCount, 1);
    const Entity* player = Player();
    Tests::BroadcastRecorder counter;
    Tap(SDLK_F1);
    EXPECT_EQ(TheGame().GetTopScreen(), mPlay);
    EXPECT_EQ(counter.Count("MessageBeginLevel"), 0);
    EXPECT_EQ(Player(), player);
    EXPECT_EQ(Logic().mMenuScreenCount, 0);
}

// Strokes, their undo, a save and playing the edited level again: tests/e2e/editor.sh.
TEST_F(EditorScreenTest, AFailedSaveKeepsTheOldFileAndTheEditsUnsaved) {
    const Logic::Level& level = *Logic().GetLevel();
    const std::string file = Logic::LevelFile::SavePath(level.GetFolder(), level.GetName());
    const auto contents = [&file] {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string old = contents();
    ASSERT_NE(old.find("<name>room</name>"), std::string::npos) << file;
    mEditor->GetHistory().SetTile(3, 1, 13, true);
    // The temporary file's place is taken by a directory: writing fails as in a read-only folder.
    std::filesystem::create_directories(file + ".tmp");
    EXPECT_FALSE(mEditor->Save());
    EXPECT_TRUE(mLog.Contains(file + "` FOR WRITING (")) << "the reason is given";
    EXPECT_EQ(mEditor->GetPanel().GetStatusText().rfind("NOT SAVED (", 0), 0u) << "the panel says so";
    EXPECT_TRUE(mLog.mCritical.empty()) << "no error box over the editor";
    EXPECT_TRUE(mEditor->GetHistory().IsModified());
    EXPECT_EQ(contents(), old);
    std::filesystem::remove(file + ".tmp");
}

TEST_F(EditorScreenTest, AGuardsRouteAndAZoneAreSetWithUndo) {
    // Clicks on a spawn without moving pick it and change nothing.
    Click(48, 48);
    PointAt(48, 48);
    Button(SDL_BUTTON_RIGHT, true);
    Button(SDL_BUTTON_RIGHT, false);
    EXPECT_EQ(mEditor->GetPicked(), Logic().GetLevel()->GetSpawnList().front().get());
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
    InputManager::GetInstance().SetKey(SDLK_LCTRL, true);
    Tap(SDLK_z);
    InputManager::GetInstance().SetKey(SDLK_LCTRL, false);
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

} // namespace
} // namespace Velmora
