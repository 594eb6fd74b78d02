// A menu box of buttons and a slider drawn through the real renderer and the game's "menu"
// font into a window (under Xvfb in the test run); the pixels are read back.
#include "core/Game.h"
#include "core/InputManager.h"
#include "graphics/FontManager.h"
#include "graphics/GraphicsManager.h"
#include "graphics/Vertex.h"
#include "interface/WButton.h"
#include "interface/WLabel.h"
#include "interface/WSlider.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "support/GraphicsFixtures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Velmora::Interface {
namespace {

struct Rgb {
    int mRed;
    int mGreen;
    int mBlue;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.mRed << ", " << c.mGreen << ", " << c.mBlue << ")";
}

Rgb PixelAt(double x, double y) {
    uint8_t rgba[4] = {};
    glReadPixels(static_cast<int>(x), static_cast<int>(y), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

class WidgetRendering : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Tests::OpenGameWindow(640, 480)) << SDL_GetError();
        Graphics::GraphicsManager::GetInstance().ResetState();
        ASSERT_TRUE(Graphics::FontManager::GetInstance().LoadFont("menu"));
        BuildMenu();
    }

    // Three labelled buttons above a slider, white text, at (40, 60).
    void BuildMenu() {
        auto box = std::make_unique<WVBox>(12, 0);
        box->mStyle.SetColor1(Style::kWhite);
        for (const char* text : {"Play", "Options", "Quit"}) {
            mButtons.push_back(box->Emplace<WButton>(nullptr, 10));
            mButtons.back()->AddChild(std::make_unique<WLabel>(text, "menu"));
        }
        auto slider = std::make_unique<WSlider>();
        slider->SetSize(200, 40);
        mSlider = box->AddChild(std::move(slider));
        box->mX = 40;
        box->mY = 60;
        mBox = mRoot.Add(std::move(box));
        mRoot.SetSoundPlayer([](const ALuint*) {});
    }

    void Draw() {
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        graphics.ResetState();
        mRoot.Render(graphics.GetRenderer());
        graphics.GetRenderer().Flush();
    }

    // The middle of a widget's left frame edge.
    static Rgb LeftFrame(const Widget& w) {
        return PixelAt(w.GetAbsoluteX() + 1, w.GetAbsoluteY() + w.GetAreaHeight() / 2.0);
    }

    InputManager mInput;
    WidgetRoot mRoot{640, 480, &mInput};
    WVBox* mBox = nullptr;
    std::vector<WButton*> mButtons;
    Widget* mSlider = nullptr;
};

TEST_F(WidgetRendering, ButtonsShowGreenFramesWhiteTextAndTheFocusedOneIsWhite) {
    mInput.SetMousePosition(600, 450);
    mRoot.Update(0.0);
    mRoot.HandleInput(PadInput{});
    mRoot.Update(1.0); // every look animation has ended
    Draw();
    ASSERT_EQ(mRoot.GetFocus(), mButtons[0]);
    EXPECT_EQ(LeftFrame(*mButtons[0]), (Rgb{255, 255, 255}));
    EXPECT_EQ(LeftFrame(*mButtons[1]), (Rgb{0, 255, 0}));
    EXPECT_EQ(LeftFrame(*mButtons[2]), (Rgb{0, 255, 0}));
    // Inside the frame: the black fill (over the black screen), text in white.
    const WButton& quit = *mButtons[2];
    EXPECT_EQ(PixelAt(quit.GetAbsoluteX() + 6, quit.GetAbsoluteY() + 6), (Rgb{0, 0, 0}));
    int bright = 0;
    const Widget& label = *quit.GetChild(0);
    for (int x = 0; x < label.GetAreaWidth(); ++x) {
        for (int y = 0; y < label.GetAreaHeight(); ++y) {
            const Rgb c = PixelAt(label.GetAbsoluteX() + x, label.GetAbsoluteY() + y);
            if (c.mRed > 200 && c.mGreen > 200 && c.mBlue > 200) ++bright;
        }
    }
    EXPECT_GT(bright, 20);
    // The slider's track frame is green; the first child of the box is on top.
    EXPECT_EQ(PixelAt(mSlider->GetAbsoluteX() + 100, mSlider->GetAbsoluteY() + 23), (Rgb{0, 255, 0}));
    EXPECT_GT(mButtons[0]->GetAbsoluteY(), mButtons[2]->GetAbsoluteY());
    EXPECT_GT(mButtons[2]->GetAbsoluteY(), mSlider->GetAbsoluteY());
}

// (The animation's timing is checked without drawing in InputTest.)
TEST_F(WidgetRendering, AHoveredButtonsFrameIsDrawnCyanAndWider) {
    mRoot.Update(1.0);
    WButton& quit = *mButtons[2];
    mInput.SetMousePosition(quit.GetAbsoluteX() + quit.GetAreaWidth() / 2.0, quit.GetAbsoluteY() + 5);
    mRoot.HandleInput(PadInput{});
    ASSERT_TRUE(quit.HasState(Widget::kHovered));
    mRoot.Update(0.15);
    Draw();
    EXPECT_EQ(LeftFrame(quit), (Rgb{0, 255, 255}));
    // The frame has grown to 12 pixels.
    EXPECT_EQ(PixelAt(quit.GetAbsoluteX() + 11, quit.GetAbsoluteY() + quit.GetAreaHeight() / 2.0), (Rgb{0, 255, 255}));
    EXPECT_EQ(LeftFrame(*mButtons[1]), (Rgb{0, 255, 0}));
}

} // namespace
} // namespace Velmora::Interface
