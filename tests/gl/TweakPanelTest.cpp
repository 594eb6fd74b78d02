#include "debug/TweakBarManager.h"
#include "debug/TweakVar.h"
#include "gl/GlPixels.h"
#include "support/GraphicsFixtures.h"

#include <GL/glew.h>
#include <SDL.h>
#include <imgui.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace Velmora::Debug {
namespace {

// Keys start with "0" so that their group comes first on the panel and stays in view, whatever
// other variables the program registers.
TweakVar<bool> sFlag("0Test/Flag", "group='0 Test' label='Flag'", false);
TweakVar<double> sScale("0Test/Scale", "group='0 Test' label='Scale' min=1.0 max=30.0 step=.5", 20.0);
TweakVar<int> sRate("0Test/Rate", "group='0 Test' label='Rate' min=1 max=200", 60);

constexpr int kWidth = 640;
constexpr int kHeight = 480;

SDL_Event Motion(int x, int y) {
    SDL_Event event{};
    event.motion = {SDL_MOUSEMOTION, 0, 0, static_cast<Uint16>(x), static_cast<Uint16>(y), 0, 0};
    return event;
}

SDL_Event Button(bool down, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event event{};
    const Uint8 type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button = {type, 0, button, 0, static_cast<Uint16>(x), static_cast<Uint16>(y)};
    return event;
}

SDL_Event Key(SDLKey key, bool down, Uint16 unicode = 0, SDLMod mod = KMOD_NONE) {
    SDL_Event event{};
    event.key = {down ? Uint8{SDL_KEYDOWN} : Uint8{SDL_KEYUP}, 0, 0, {0, key, mod, unicode}};
    return event;
}

// A plain SDL 1.2 OpenGL window, as the graphics manager makes one, with the panel shown.
class TweakPanelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) {
            ASSERT_EQ(Tests::InitVideoSubsystem(), 0) << SDL_GetError();
        }
        ASSERT_NE(SDL_SetVideoMode(kWidth, kHeight, 0, SDL_OPENGL), nullptr) << SDL_GetError();
        ASSERT_EQ(glewInit(), GLEW_OK);
        // A window that another test sized differently gets its new buffer size on a swap.
        SDL_GL_SwapBuffers();
        TweakBarManager::GetInstance().CreateBars();
        TweakBarManager::GetInstance().SetWindowSize(kWidth, kHeight);
    }
    // A game window opened before gets its own mode back (the game reads its size from SDL's
    // surface, so it would not notice the change). The video subsystem stays up to the end of the
    // process: the leak checker can then still tell the GL driver's own allocations apart.
    static void TearDownTestSuite() {
        TweakBarManager::GetInstance().Shutdown();
        Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
        if (graphics.mScreen) graphics.SetVideoMode(graphics.GetCurrentMode());
    }
    void SetUp() override {
        ResetGlState();
        tweaks().GetMainBar().SetVisible(true);
        sFlag = false;
        sScale = 20.0;
        sRate = 60;
        Frame(); // lays the panel out, so events know where it is
    }
    void TearDown() override { tweaks().GetMainBar().SetVisible(false); }

    static TweakBarManager& tweaks() { return TweakBarManager::GetInstance(); }

    // Other GL tests share this context (SDL 1.2 keeps it across video modes): start from the
    // state a fresh context has, drawing into the window.
    static void ResetGlState() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glUseProgram(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_SCISSOR_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glViewport(0, 0, kWidth, kHeight);
        for (const GLenum mode : {GL_PROJECTION, GL_TEXTURE, GL_MODELVIEW}) {
            glMatrixMode(mode);
            glLoadIdentity();
        }
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }

    static void Frame() {
        glClearColor(0.0f, 0.25f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        tweaks().Draw();
    }

    // Offers events to the panel; each result says whether the panel kept the event.
    static std::vector<bool> Send(const std::vector<SDL_Event>& events) {
        std::vector<bool> used;
        for (const SDL_Event& event : events) used.push_back(tweaks().HandleEvent(event));
        return used;
    }

    static std::vector<bool> Click(int x, int y) {
        const std::vector<bool> used = Send({Motion(x, y), Button(true, x, y), Button(false, x, y)});
        Frame();
        Frame();
        return used;
    }

    static TweakPanel::Rect ItemRect(const std::string& key) {
        const TweakPanel::Rect* rect = tweaks().GetPanel().FindItemRect(key);
        EXPECT_NE(rect, nullptr) << key;
        return rect != nullptr ? *rect : TweakPanel::Rect{};
    }
};

// That the panel draws over the frame and nothing else, and not at all when hidden, is checked
// in the real program by tests/e2e/tweakpanel.sh.
TEST_F(TweakPanelTest, ClickingACheckboxFlipsTheOwnersBool) {
    const TweakPanel::Rect box = ItemRect("0Test/Flag");
    const int x = static_cast<int>(box.mLeft) + 6, y = static_cast<int>(box.CenterY());
    EXPECT_EQ(Click(x, y), (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(sFlag);
    Click(x, y);
    EXPECT_FALSE(sFlag);
}

TEST_F(TweakPanelTest, EventsAwayFromThePanelReachTheGame) {
    EXPECT_EQ(Click(600, 400), (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(sFlag);
    const std::vector<bool> wheel =
        Send({Button(true, 600, 400, SDL_BUTTON_WHEELUP), Button(false, 600, 400, SDL_BUTTON_WHEELUP)});
    EXPECT_EQ(wheel, (std::vector<bool>{false, false}));
    // No value is being edited: keys belong to the game.
    EXPECT_FALSE(tweaks().HandleEvent(Key(SDLK_w, true, 'w')));
    EXPECT_FALSE(tweaks().HandleEvent(Key(SDLK_w, false)));
}

TEST_F(TweakPanelTest, DraggingANumberEditsItLiveWithinItsBounds) {
    const TweakPanel::Rect field = ItemRect("0Test/Scale");
    const int x = static_cast<int>(field.mLeft) + 10, y = static_cast<int>(field.CenterY());
    Send({Motion(x, y), Button(true, x, y)});
    Frame();
    for (int step = 1; step <= 20; ++step) {
        // The drag goes on over the game's part of the window and still belongs to the panel.
        EXPECT_TRUE(tweaks().HandleEvent(Motion(x + step * 10, y)));
        Frame();
    }
    EXPECT_DOUBLE_EQ(sScale, 30.0); // 200 px at half a unit per pixel, held at max
    EXPECT_TRUE(tweaks().HandleEvent(Button(false, x + 200, y)));
    Frame();
}

TEST_F(TweakPanelTest, CtrlClickLetsTheUserTypeAValueThatIsClamped) {
    const TweakPanel::Rect field = ItemRect("0Test/Rate");
    const int x = static_cast<int>(field.CenterX()), y = static_cast<int>(field.CenterY());
    const auto type = [](const std::string& text) {
        for (const char c : text) {
            const auto key = static_cast<SDLKey>(c);
            EXPECT_TRUE(tweaks().HandleEvent(Key(key, true, static_cast<Uint16>(c)))) << c;
            tweaks().HandleEvent(Key(key, false));
            Frame();
        }
        tweaks().HandleEvent(Key(SDLK_RETURN, true, '\r'));
        tweaks().HandleEvent(Key(SDLK_RETURN, false));
        Frame();
        Frame();
    };
    const auto ctrlClick = [x, y] {
        tweaks().HandleEvent(Key(SDLK_LCTRL, true, 0, KMOD_LCTRL));
        Send({Motion(x, y), Button(true, x, y)});
        Frame();
        tweaks().HandleEvent(Button(false, x, y));
        tweaks().HandleEvent(Key(SDLK_LCTRL, false));
        Frame();
    };
    for (const auto& [text, value] : {std::pair{"120", 120}, {"999", 200}}) {
        ctrlClick();
        type(text);
        EXPECT_EQ(sRate, value) << text;
    }
}

// A small shaded scene set up the way a renderer sets its state once: a program that reads the
// current colour, a vertex buffer with client arrays, texture unit 1 active, blending on.
GLuint SetUpGameState() {
    const char* vertex = "void main() { gl_FrontColor = gl_Color; gl_Position = ftransform(); }";
    const char* fragment = "void main() { gl_FragColor = gl_Color * vec4(1.0, 0.5, 1.0, 1.0); }";
    const GLuint program = glCreateProgram();
    for (const auto& [type, source] : {std::pair{GL_VERTEX_SHADER, vertex}, std::pair{GL_FRAGMENT_SHADER, fragment}}) {
        const GLuint shader = glCreateShader(type);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
        glDeleteShader(shader);
    }
    glLinkProgram(program);
    const std::array<GLfloat, 8> quad{50, 50, 600, 50, 600, 400, 50, 400}; // under the panel too
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad.data(), GL_STATIC_DRAW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, nullptr);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glUseProgram(program);
    glColor4f(1.0f, 0.8f, 0.25f, 0.5f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE1);
    return buffer;
}

void DrawGameFrame() {
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

GLint GetInt(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

TEST_F(TweakPanelTest, TheFrameAfterAPanelDrawRendersAsBefore) {
    const GLuint buffer = SetUpGameState();
    DrawGameFrame();
    const std::vector<uint8_t> before = Tests::ReadPixels(0, 0, kWidth, kHeight);
    tweaks().Draw();
    DrawGameFrame();
    const std::vector<uint8_t> after = Tests::ReadPixels(0, 0, kWidth, kHeight);
    EXPECT_TRUE(before == after) << "the panel changed how the next frame renders";

    // State the frame does not show.
    EXPECT_EQ(GetInt(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(buffer));
    EXPECT_EQ(GetInt(GL_ACTIVE_TEXTURE), GL_TEXTURE1);
    EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));

    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    glDeleteProgram(static_cast<GLuint>(GetInt(GL_CURRENT_PROGRAM)));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

GLuint FontTexture() { return static_cast<GLuint>(reinterpret_cast<intptr_t>(ImGui::GetIO().Fonts->TexID)); }

TEST_F(TweakPanelTest, ModeChangesKeepTheFontAndNeverTouchTheGamesTextures) {
    const GLuint font = FontTexture();
    ASSERT_NE(font, 0u);
    // A new size in the same GL context (what SDL 1.2 does on X11): the font texture stays.
    ASSERT_NE(SDL_SetVideoMode(800, 600, 0, SDL_OPENGL), nullptr);
    tweaks().SetWindowSize(800, 600);
    EXPECT_EQ(FontTexture(), font);
    EXPECT_FLOAT_EQ(ImGui::GetIO().DisplaySize.x, 800.0f);

    // As if the context had been replaced: the font's name is gone and the game's next texture
    // may well get it. The panel makes a new font texture and leaves the game's alone.
    glDeleteTextures(1, &font);
    GLuint game = 0;
    glGenTextures(1, &game);
    glBindTexture(GL_TEXTURE_2D, game);
    const std::array<uint8_t, 64> texels{};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    ASSERT_NE(SDL_SetVideoMode(kWidth, kHeight, 0, SDL_OPENGL), nullptr);
    tweaks().SetWindowSize(kWidth, kHeight);
    EXPECT_NE(FontTexture(), 0u);
    EXPECT_NE(FontTexture(), game);
    EXPECT_TRUE(glIsTexture(game));
    glBindTexture(GL_TEXTURE_2D, game);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 4);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &game);
}

} // namespace
} // namespace Velmora::Debug
