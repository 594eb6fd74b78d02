// The game's own parts drawn through the real renderer with the real content into a window
// (under Xvfb in the test run); the pixels are read back. (What they add to the renderer is
// checked without GL in the unit tests: HudTest, LevelTest, InputTest, MainMenuScreenTest.)
#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/GameScreen.h"
#include "core/InputManager.h"
#include "gl/GlPixels.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/TextureManager.h"
#include "interface/WButton.h"
#include "interface/WLabel.h"
#include "interface/WSlider.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "screens/Hud.h"
#include "screens/MainMenuScreen.h"
#include "screens/ScreenDrawing.h"
#include "support/GraphicsFixtures.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/TileManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace Velmora::Logic {
namespace {

using Graphics::PackColor;
using Tests::PixelAt;

TEST(WidgetRendering, ButtonsShowGreenFramesWhiteTextAndTheFocusedOneIsWhite) {
    using namespace Interface;
    ASSERT_TRUE(Tests::OpenGameWindow(640, 480)) << SDL_GetError();
    ASSERT_TRUE(Graphics::FontManager::GetInstance().LoadFont("menu"));
    // Three labelled buttons above a slider, white text, at (40, 60).
    InputManager input;
    WidgetRoot root(640, 480, &input);
    auto box = std::make_unique<WVBox>(12, 0);
    box->mStyle.SetColor1(Style::kWhite);
    std::vector<WButton*> buttons;
    for (const char* text : {"Play", "Options", "Quit"}) {
        buttons.push_back(box->Emplace<WButton>(nullptr, 10));
        buttons.back()->AddChild(std::make_unique<WLabel>(text, "menu"));
    }
    auto slider = std::make_unique<WSlider>();
    slider->SetSize(200, 40);
    const Widget* track = box->AddChild(std::move(slider));
    box->mX = 40;
    box->mY = 60;
    root.Add(std::move(box));
    root.SetSoundPlayer([](const ALuint*) {});
    input.SetMousePosition(600, 450);
    root.Update(0.0);
    root.HandleInput(PadInput{});
    root.Update(1.0); // every look animation has ended
    const auto draw = [&root] {
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.ResetState();
        root.Render(graphics.GetRenderer());
        graphics.GetRenderer().Flush();
    };
    draw();

    ASSERT_EQ(root.GetFocus(), buttons[0]);
    // The middle of each button's left frame edge.
    const uint32_t frames[] = {PackColor(255, 255, 255), PackColor(0, 255, 0), PackColor(0, 255, 0)};
    for (int i = 0; i < 3; ++i) {
        const WButton& b = *buttons[i];
        EXPECT_EQ(PixelAt(b.GetAbsoluteX() + 1, b.GetAbsoluteY() + b.GetAreaHeight() / 2.0), frames[i]) << i;
    }
    // Inside the frame: the black fill (over the black screen), text in white.
    const WButton& quit = *buttons[2];
    EXPECT_EQ(PixelAt(quit.GetAbsoluteX() + 6, quit.GetAbsoluteY() + 6), PackColor(0, 0, 0));
    int bright = 0;
    const Widget& label = *quit.GetChild(0);
    for (int x = 0; x < label.GetAreaWidth(); ++x) {
        for (int y = 0; y < label.GetAreaHeight(); ++y) {
            const uint32_t c = PixelAt(label.GetAbsoluteX() + x, label.GetAbsoluteY() + y);
            if (Tests::Red(c) > 200 && Tests::Green(c) > 200 && Tests::Blue(c) > 200) ++bright;
        }
    }
    EXPECT_GT(bright, 20);
    // The slider's track frame is green; the first child of the box is on top.
    EXPECT_EQ(PixelAt(track->GetAbsoluteX() + 100, track->GetAbsoluteY() + 23), PackColor(0, 255, 0));
    EXPECT_GT(buttons[0]->GetAbsoluteY(), buttons[2]->GetAbsoluteY());
    EXPECT_GT(buttons[2]->GetAbsoluteY(), track->GetAbsoluteY());

    // The pointer over Quit: its frame turns cyan and grows to 12 pixels; the others stay green.
    input.SetMousePosition(quit.GetAbsoluteX() + quit.GetAreaWidth() / 2.0, quit.GetAbsoluteY() + 5);
    root.HandleInput(PadInput{});
    root.Update(0.15);
    draw();
    const double middle = quit.GetAbsoluteY() + quit.GetAreaHeight() / 2.0;
    EXPECT_EQ(PixelAt(quit.GetAbsoluteX() + 1, middle), PackColor(0, 255, 255));
    EXPECT_EQ(PixelAt(quit.GetAbsoluteX() + 11, middle), PackColor(0, 255, 255));
    const WButton& options = *buttons[1];
    EXPECT_EQ(PixelAt(options.GetAbsoluteX() + 1, options.GetAbsoluteY() + options.GetAreaHeight() / 2.0),
              PackColor(0, 255, 0));
}

constexpr int kHudWidth = 800;
constexpr int kHudHeight = 600;

// The mean colour around a point of the meter slot, at a fraction of its length and halfway up,
// with the meter of the gun at that power drawn by the program.
uint32_t MeterColor(Hud& hud, GunType gun, double power, double fraction) {
    HudState state;
    state.mGun = gun;
    state.mMeterPower = power;
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    graphics.ResetState();
    hud.Draw(graphics.GetRenderer(), kHudWidth, kHudHeight, state, true);
    graphics.GetRenderer().Flush();
    const Hud::Rect slot = Hud::MeterSlotRect(kHudWidth, kHudHeight);
    return Tests::MeanColor(slot.mLeft + (slot.mRight - slot.mLeft) * fraction, (slot.mBottom + slot.mTop) * 0.5, 6);
}

TEST(HudRendering, TheShaderMeterFillsTheSlotInTheGunsColourUpToThePower) {
    ASSERT_TRUE(Tests::OpenGameWindow(kHudWidth, kHudHeight)) << SDL_GetError();
    Hud hud;
    ASSERT_TRUE(hud.IsShaderMeterAvailable()) << "the program builds on this GL";
    const auto blue = [&hud](double power, double fraction) {
        return Tests::Blue(MeterColor(hud, kSoundGun, power, fraction));
    };
    const int empty = blue(-1.0, 0.75);
    const uint32_t full = MeterColor(hud, kSoundGun, 1.0, 0.75); // reloaded and fully charged
    EXPECT_GT(Tests::Blue(full), empty + 60) << "the charge half glows blue";
    EXPECT_GT(Tests::Blue(full), Tests::Red(full) + 40);
    // Reloaded, no charge: the reload half only.
    EXPECT_LT(blue(0.0, 0.75), Tests::Blue(full) - 40) << "the charge half is dark again";
    EXPECT_GT(blue(0.0, 0.4), empty + 40) << "the reload half is filled";
    // Reloading, a quarter of the way.
    EXPECT_LT(blue(-0.5, 0.4), empty + 20) << "four tenths not yet reloaded";
    EXPECT_GT(blue(-0.5, 0.1), empty + 40) << "the first tenth is";

    const uint32_t shock = MeterColor(hud, kShockGun, 1.0, 0.75);
    EXPECT_GT(Tests::Red(shock), Tests::Blue(shock) + 40) << "the ShockGun's meter is red";
}

// Draws the whole room so that it fills the 640 × 480 window: 9 rows of 32 units on 480 pixels,
// 12 columns on 640.
void Draw(Level& level) {
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    graphics.ResetState();
    Graphics::View& view = graphics.GetView();
    view.SetZoom(9.0);
    view.SetPosition(6 * kTileSize, 4.5 * kTileSize);
    view.ApplyView();
    level.Render(graphics.GetRenderer(), view.mLeft, view.mBottom, view.mRight, view.mTop);
    graphics.GetRenderer().Flush();
}

// The mean colour of the middle 32 × 32 pixels of a cell (a cell is 53⅓ pixels wide), so the
// textures' patterns (mortar lines, grain) average out.
uint32_t CellColor(int x, int y) {
    const double pixelsPerCell = 480.0 / 9.0;
    return Tests::MeanColor((x + 0.5) * pixelsPerCell, (y + 0.5) * pixelsPerCell, 32);
}

int Difference(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
        sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return sum;
}

TEST(LevelRendering, CellsShowTheirOwnTilesAndAnOpenedDoorOrBrokenGlassIsDrawnSo) {
    ASSERT_TRUE(Tests::OpenGameWindow(640, 480)) << SDL_GetError();
    TileManager tiles;
    tiles.LoadCatalogue(Tests::SourceDir() + "/data/misc/tiles.xml", [](const std::string& name) {
        return Graphics::TextureManager::GetInstance().GetTexture(name);
    });
    std::unique_ptr<Level> level =
        LevelFile::ReadLevel(Tests::SourceDir() + "/data/level/test/room.xml", "test", &tiles);
    ASSERT_NE(level, nullptr);
    ASSERT_EQ(level->GetLiveCell(9, 5), kTileExit);
    Draw(*level);
    // A wall, a floor and the exit.
    const uint32_t wall = CellColor(0, 0), floor = CellColor(2, 6), exit = CellColor(9, 5);
    EXPECT_GT(Difference(wall, floor), 30) << std::hex << wall << " " << floor;
    EXPECT_GT(Difference(wall, exit), 30) << std::hex << wall << " " << exit;
    EXPECT_GT(Difference(floor, exit), 30) << std::hex << floor << " " << exit;
    EXPECT_LT(Difference(floor, CellColor(3, 7)), 30) << "two cells of the same floor tile look alike";

    const uint32_t door = CellColor(5, 4), glass = CellColor(2, 3);
    ASSERT_TRUE(level->OpenDoor(5, 4));
    ASSERT_TRUE(level->ShatterTile(2, 3));
    Draw(*level);
    EXPECT_GT(Difference(door, CellColor(5, 4)), 30);
    EXPECT_GT(Difference(door, CellColor(5, 5)), 30);
    EXPECT_GT(Difference(glass, CellColor(2, 3)), 15) << std::hex << glass << " " << CellColor(2, 3);
    EXPECT_LT(Difference(glass, CellColor(8, 3)), 5); // the other pane is whole
}

// Stands in for the play screen: the whole window in one light grey.
class GreyScreen : public GameScreen {
public:
    void HandleMessage(Message& message) override {
        if (auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message)) {
            FillWindow(*overlay->mRenderer, kLayerBackground, WindowSize::Get(), Color::FromRgba(200, 200, 200));
        }
    }
};

TEST(MenuRendering, TheLevelShowsDarkenedUnderTheLogoAndTheFocusedButton) {
    ASSERT_TRUE(Tests::OpenGameWindow(1024, 768)) << SDL_GetError();
    for (const char* font : {"default", "menu", "menu_small"})
        ASSERT_TRUE(Graphics::FontManager::GetInstance().LoadFont(font));
    InputManager::GetInstance().SetMousePosition(-100.0, -100.0);
    InputManager::GetInstance().Snapshot();
    Game game;
    game.PushScreen(new GreyScreen());
    auto* menu = new MainMenuScreen(game, true);
    game.PushScreen(menu);
    game.ProcessScreenChanges();
    // A frame after every fade and highlight has finished.
    MessageUpdateLoop update(1.0);
    game.SendMessage(update);
    Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    graphics.ResetState();
    Graphics::MessageRenderOverlay overlay(&graphics.GetRenderer());
    game.SendMessage(overlay);
    graphics.GetRenderer().Flush();

    // The screen below still draws, under the translucent dark layer: 200 · (1 − 160/255).
    const uint32_t corner = PixelAt(5, 5);
    for (int c : {Tests::Red(corner), Tests::Green(corner), Tests::Blue(corner)}) EXPECT_NEAR(c, 75, 3);
    // The logo: bright blue light in the top middle, on the darkened grey.
    int bright = 0;
    for (int x = 312; x < 712; x += 4) {
        const uint32_t p = PixelAt(x, 768 - 40 - 90);
        if (Tests::Blue(p) > 200 && Tests::Blue(p) > Tests::Red(p) + 40) ++bright;
    }
    EXPECT_GT(bright, 5);
    // "Resume" has the focus: a sky-blue frame two pixels wide; "Reset Level" below it a thin
    // steel-blue one.
    const Interface::WButton* resume = menu->FindButton(kPageMain, "Resume");
    const Interface::WButton* reset = menu->FindButton(kPageMain, "Reset Level");
    EXPECT_EQ(PixelAt(resume->GetAbsoluteX() + 1, resume->GetAbsoluteY() + 20), PackColor(110, 200, 255));
    EXPECT_EQ(PixelAt(reset->GetAbsoluteX(), reset->GetAbsoluteY() + 20), PackColor(52, 94, 132));
    EXPECT_GT(resume->GetAbsoluteY(), reset->GetAbsoluteY());
    game.RemoveAllScreens();
    game.ProcessScreenChanges();
}

} // namespace
} // namespace Velmora::Logic
