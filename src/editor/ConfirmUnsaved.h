#pragma once

#include "core/GameScreen.h"

#include <functional>
#include <memory>

namespace Velmora {
class Game;
}

namespace Velmora::Interface {
class WVBox;
class WidgetRoot;
} // namespace Velmora::Interface

namespace Velmora::Editor {

/// The question asked before unsaved changes are thrown away: "Are you sure?" and "You will lose
/// unsaved changes." over the buttons "NO" (or Escape), which closes it, and "YES", which closes
/// it and runs the confirmed action. A screen of its own above the editor; every message but the
/// frame update goes on to the editor below, and the dialog draws over it.
class ConfirmUnsaved : public GameScreen {
public:
    static constexpr int kLayer = 10000; ///< boxes; text on the layer above

    /// A dialog on `game`'s stack that runs `onYes` when confirmed.
    ConfirmUnsaved(Game& game, std::function<void()> onYes);
    ~ConfirmUnsaved() override;
    ConfirmUnsaved(const ConfirmUnsaved&) = delete;
    ConfirmUnsaved& operator=(const ConfirmUnsaved&) = delete;

    /// Builds the box in the middle of the window.
    void Initialize() override;
    /// MessageUpdateLoop: the buttons and Escape. Every other message goes to the screen below
    /// first; MessageRenderOverlay then draws the dialog.
    void HandleMessage(Message& message) override;

    /// Closes the dialog (queued for removal; once only).
    void Close();
    /// Closes the dialog and runs the confirmed action.
    void Confirm();
    /// The widget tree (null before Initialize).
    Interface::WidgetRoot* GetRoot() const { return mRoot.get(); }

private:
    void Update(double dt);
    void Arrange();

    Game& mGame;
    std::function<void()> mOnYes;
    std::unique_ptr<Interface::WidgetRoot> mRoot;
    Interface::WVBox* mBox = nullptr;
    bool mClosing = false;
};

} // namespace Velmora::Editor
