#include "editor/ConfirmUnsaved.h"

#include "core/FrameMessages.h"
#include "core/Game.h"
#include "core/InputManager.h"
#include "graphics/Batch.h"
#include "graphics/GraphicsManager.h"
#include "graphics/RenderMessages.h"
#include "graphics/Renderer.h"
#include "interface/MenuLook.h"
#include "interface/Style.h"
#include "interface/WButton.h"
#include "interface/WButtonCallbackLambda.h"
#include "interface/WField.h"
#include "interface/WHBox.h"
#include "interface/WLabel.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"

#include <SDL.h>

#include <utility>

#include <cmath>

namespace Velmora::Editor {

namespace {

constexpr const char* kFont = "menu_small";
constexpr int32_t kButtonBorder = 14; // clear of a highlighted button's thick frame
constexpr double kCardMargin = 12.0;
constexpr uint32_t kCardColor = 0xE0100804; // 0xAABBGGRR: a dark blue at 7/8 opacity

std::unique_ptr<Interface::WButton> MakeButton(const char* text, std::function<void()> action) {
    return Interface::WButton::MakeLabelled(
        text, Interface::WButtonCallbackLambda::Make([action = std::move(action)](Interface::WButton&) { action(); }),
        kFont, kButtonBorder);
}

} // namespace

ConfirmUnsaved::ConfirmUnsaved(Game& game, std::function<void()> onYes) : mGame(game), mOnYes(std::move(onYes)) {}

ConfirmUnsaved::~ConfirmUnsaved() = default;

void ConfirmUnsaved::Initialize() {
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    mRoot = std::make_unique<Interface::WidgetRoot>(graphics.GetWidth(), graphics.GetHeight());
    auto box = std::make_unique<Interface::WVBox>(12, 20);
    box->mStyle.SetColor1(Interface::Style::kWhite);
    mBox = mRoot->Add(std::move(box));
    mBox->Emplace<Interface::WLabel>("Are you sure?", kFont);
    mBox->Emplace<Interface::WLabel>("You will lose unsaved changes.", kFont);
    auto* buttons = mBox->Emplace<Interface::WHBox>(20, 0);
    buttons->AddChild(MakeButton("NO", [this] { Close(); }));
    buttons->AddChild(MakeButton("YES", [this] { Confirm(); }));
    Interface::MenuLook::Apply(*mBox);
    // The buttons' row grew after the box had placed it.
    mBox->Layout();
    Arrange();
}

void ConfirmUnsaved::Arrange() {
    const Graphics::GraphicsManager& graphics = Graphics::GraphicsManager::GetInstance();
    if (Interface::WField* top = mRoot->GetTop()) {
        top->mFixedWidth = graphics.GetWidth();
        top->mFixedHeight = graphics.GetHeight();
    }
    // Centred on whole pixels, so the text stays crisp.
    mBox->mX = std::floor((graphics.GetWidth() - mBox->GetAreaWidth()) / 2.0);
    mBox->mY = std::floor((graphics.GetHeight() - mBox->GetAreaHeight()) / 2.0);
}

void ConfirmUnsaved::HandleMessage(Message& message) {
    if (auto* update = MessageCast<MessageUpdateLoop>(message)) {
        Update(update->mDt);
        return;
    }
    if (mBelow) mBelow->HandleMessage(message);
    auto* overlay = MessageCast<Graphics::MessageRenderOverlay>(message);
    if (!overlay || !overlay->mRenderer || !mRoot) return;
    // A dark card under the text, so the question reads over any map.
    const double left = mBox->mX - kCardMargin;
    const double bottom = mBox->mY - kCardMargin;
    overlay->mRenderer->GetBatch(Graphics::kPrimitiveQuads, nullptr, kLayer - 1, 4, Graphics::kBlendAlpha)
        .AddRect(left, left + mBox->GetAreaWidth() + 2 * kCardMargin, bottom,
                 bottom + mBox->GetAreaHeight() + 2 * kCardMargin, kCardColor);
    mRoot->Render(*overlay->mRenderer, kLayer);
}

void ConfirmUnsaved::Update(double dt) {
    if (!mRoot || mClosing) return;
    Arrange();
    mRoot->Update(dt);
    mRoot->HandleInput();
    if (!mClosing && InputManager::GetInstance().IsKeyPressed(SDLK_ESCAPE)) Close();
}

void ConfirmUnsaved::Close() {
    if (mClosing) return;
    mClosing = true;
    mGame.RemoveScreen(this);
}

void ConfirmUnsaved::Confirm() {
    if (mClosing) return;
    Close();
    if (mOnYes) mOnYes();
}

} // namespace Velmora::Editor
