#include "editor/EditorPanel.h"

#include "editor/EditorMode.h"
#include "editor/EditorSelectorCallback.h"
#include "editor/WTileSwatch.h"
#include "interface/MenuLook.h"
#include "interface/Style.h"
#include "interface/WButton.h"
#include "interface/WButtonCallbackLambda.h"
#include "interface/WField.h"
#include "interface/WHBox.h"
#include "interface/WLabel.h"
#include "interface/WSelector.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "world/Tile.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace Velmora::Editor {

namespace {

constexpr const char* kFont = "menu_small";
constexpr int32_t kSpacing = 8;
// A highlighted button's frame grows inwards this far: the label must stay clear of it.
constexpr int32_t kButtonBorder = 12;
constexpr int32_t kSwatchGap = 6;
// Selector options' least widths (pixels): the longer archetype and tile names, three digits.
constexpr int32_t kArchetypeWidth = 128;
constexpr int32_t kTileWidth = 170;
constexpr int32_t kNumberWidth = 28;
// The row sits this far below the top edge unless it is taller than the room left above it.
constexpr int kTopOffset = 60;
constexpr Color kWarningColor = Color::FromRgba(255, 170, 60);

std::unique_ptr<Interface::WLabel> Label(const std::string& text) {
    return std::make_unique<Interface::WLabel>(text, kFont);
}

// An option centred in a box at least `width` pixels wide, so that stepping through names of
// different lengths does not move the "+" button (or the controls after it) from under the pointer.
std::unique_ptr<Interface::Widget> Steady(std::unique_ptr<Interface::Widget> option, int32_t width) {
    option->Layout();
    const int32_t optionWidth = option->GetAreaWidth();
    auto box = std::make_unique<Interface::WField>(std::max(width, optionWidth), option->GetAreaHeight());
    option->mX = std::floor((box->mFixedWidth - optionWidth) / 2.0); // whole pixels keep the text sharp
    box->AddChild(std::move(option));
    return box;
}

} // namespace

EditorPanel::EditorPanel() = default;

EditorPanel::~EditorPanel() = default;

void EditorPanel::Build(EditorPanelActions actions, int windowWidth, int windowHeight) {
    mActions = std::move(actions);
    mRoot = std::make_unique<Interface::WidgetRoot>(windowWidth, windowHeight);
    auto row = std::make_unique<Interface::WHBox>(kSpacing, 0);
    row->mStyle.SetColor1(Interface::Style::kWhite);
    mRow = mRoot->Add(std::move(row));
    AddButton(*mRow, "Exit Editor", [this] { mActions.mExit(); });
    AddButton(*mRow, "Reload File", [this] { mActions.mReload(); });
    AddButton(*mRow, "Save Changes", [this] { mActions.mSave(); });
    BuildSpawnColumn(*mRow);
    AddButton(*mRow, "DELETE!", [this] { mActions.mDelete(); });
    mTileSelector = AddSelector(*mRow, [this](int32_t direction) { mActions.mStepTile(direction); });
    BuildSizeColumn(*mRow);
    Interface::MenuLook::Apply(*mRow);
    // The columns grew after the row had placed them.
    mRow->Layout();
    auto info = std::make_unique<Interface::WHBox>(kSpacing * 3, 0);
    info->mStyle.SetColor1(Interface::Style::kWhite);
    mInfoRow = mRoot->Add(std::move(info));
    mPickBox = mInfoRow->Emplace<Interface::WHBox>(kSpacing, 0);
    mStatusLabel = mInfoRow->Emplace<Interface::WLabel>("", kFont);
    BuildPickControls(EditorPick());
    Arrange(windowWidth, windowHeight);
}

void EditorPanel::BuildPickControls(const EditorPick& pick) {
    mPickBox->ClearChildren();
    mPickTitle = nullptr;
    mRouteLabel = nullptr;
    mZoneSelector = nullptr;
    mShownPicked = pick.mPicked;
    mShownKind = pick.mKind;
    if (pick.mPicked) {
        mPickTitle = mPickBox->Emplace<Interface::WLabel>("", kFont);
        if (pick.mKind == SpawnKind::kGuard) {
            AddButton(*mPickBox, "Add to Route", [this] { mActions.mAddToRoute(); });
            AddButton(*mPickBox, "Clear Route", [this] { mActions.mClearRoute(); });
            mRouteLabel = mPickBox->Emplace<Interface::WLabel>("", kFont);
        } else if (pick.mKind == SpawnKind::kZone) {
            mPickBox->Emplace<Interface::WLabel>("Zone id", kFont);
            mZoneSelector = AddSelector(*mPickBox, [this](int32_t direction) { mActions.mStepZone(direction); });
        }
        Interface::MenuLook::Apply(*mPickBox);
    }
    mPickBox->Layout();
    mInfoRow->Layout();
}

void EditorPanel::BuildSpawnColumn(Interface::WHBox& row) {
    auto* column = row.Emplace<Interface::WVBox>(2, 0);
    mModeLabel = column->Emplace<Interface::WLabel>(ModeLabel(kModeIdle), kFont);
    auto* buttons = column->Emplace<Interface::WHBox>(0, 0);
    AddButton(*buttons, "Create Spawn", [this] { mActions.mCreateSpawn(); });
    mArchetypeSelector = AddSelector(*column, [this](int32_t direction) { mActions.mStepArchetype(direction); });
}

void EditorPanel::BuildSizeColumn(Interface::WHBox& row) {
    auto* column = row.Emplace<Interface::WVBox>(2, 0);
    column->Emplace<Interface::WLabel>("Dimensions (X,Y)", kFont);
    auto* sizes = column->Emplace<Interface::WHBox>(kSpacing, 0);
    mWidthSelector = AddSelector(*sizes, [this](int32_t direction) { mActions.mStepWidth(direction); });
    mHeightSelector = AddSelector(*sizes, [this](int32_t direction) { mActions.mStepHeight(direction); });
}

void EditorPanel::AddButton(Interface::WHBox& box, const char* text, std::function<void()> action) const {
    box.AddChild(Interface::WButton::MakeLabelled(
        text, Interface::WButtonCallbackLambda::Make([action = std::move(action)](Interface::WButton&) { action(); }),
        kFont, kButtonBorder));
}

Interface::WSelector* EditorPanel::AddSelector(Interface::Widget& box, std::function<void(int32_t)> step) const {
    auto callback = std::make_unique<EditorSelectorCallback>(
        [step = std::move(step)](Interface::WSelector&, int32_t direction) { step(direction); });
    auto selector = std::make_unique<Interface::WSelector>(std::move(callback), Label(""));
    selector->mSpacing = 4;
    return static_cast<Interface::WSelector*>(box.AddChild(std::move(selector)));
}

void EditorPanel::Arrange(int windowWidth, int windowHeight) {
    if (!mRoot || !mRow) return;
    if (Interface::WField* top = mRoot->GetTop()) {
        top->mFixedWidth = windowWidth;
        top->mFixedHeight = windowHeight;
    }
    mRow->mX = kMargin;
    mRow->mY = std::min(windowHeight - kTopOffset, windowHeight - kMargin - mRow->GetAreaHeight());
    if (mInfoRow) {
        mInfoRow->mX = kMargin;
        mInfoRow->mY = mRow->mY - kSpacing - mInfoRow->GetAreaHeight();
    }
}

bool EditorPanel::HandleInput() { return mRoot && mRoot->HandleInput(); }

void EditorPanel::Update(double dt) {
    if (mRoot) mRoot->Update(dt);
}

void EditorPanel::Render(Graphics::Renderer& renderer) {
    if (mRoot) mRoot->Render(renderer, kLayer);
}

bool EditorPanel::Contains(double x, double y) const {
    return (mRow && mRow->IsInside(x, y)) || (mInfoRow && mInfoRow->IsInside(x, y));
}

void EditorPanel::ShowMode(const char* label) {
    if (!mModeLabel) return;
    mModeLabel->SetText(label);
    if (mRow) mRow->Layout();
}

void EditorPanel::ShowArchetype(const std::string& name) {
    if (mArchetypeSelector) {
        mArchetypeSelector->SetOption(Steady(Label(name.empty() ? "(none)" : name), kArchetypeWidth));
    }
}

void EditorPanel::ShowTile(const Logic::Tile* tile) {
    if (!mTileSelector || !tile) return;
    auto option = std::make_unique<Interface::WHBox>(kSwatchGap, 0);
    option->Emplace<WTileSwatch>(tile);
    option->AddChild(Label(tile->mName));
    mTileSelector->SetOption(Steady(std::move(option), kTileWidth));
}

void EditorPanel::ShowSize(int width, int height) {
    if (mWidthSelector) mWidthSelector->SetOption(Steady(Label(std::to_string(width)), kNumberWidth));
    if (mHeightSelector) mHeightSelector->SetOption(Steady(Label(std::to_string(height)), kNumberWidth));
}

void EditorPanel::ShowPick(const EditorPick& pick) {
    if (!mPickBox) return;
    if (pick.mPicked != mShownPicked || pick.mKind != mShownKind) BuildPickControls(pick);
    if (mPickTitle) mPickTitle->SetText(pick.mTitle);
    if (mRouteLabel) mRouteLabel->SetText(pick.mRoute);
    if (mZoneSelector) mZoneSelector->SetOption(Steady(Label(std::to_string(pick.mZoneId)), kNumberWidth));
    mPickBox->Layout();
    mInfoRow->Layout();
}

void EditorPanel::ShowStatus(const std::string& text, bool warning) {
    if (!mStatusLabel) return;
    mStatusLabel->SetText(text);
    mStatusLabel->mStyle.SetColor1(warning ? kWarningColor : Interface::Style::kWhite);
    mInfoRow->Layout();
}

std::string EditorPanel::GetStatusText() const { return mStatusLabel ? mStatusLabel->GetText() : std::string(); }

std::string EditorPanel::GetModeText() const { return mModeLabel ? mModeLabel->GetText() : std::string(); }

} // namespace Velmora::Editor
