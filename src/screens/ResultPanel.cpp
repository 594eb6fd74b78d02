#include "screens/ResultPanel.h"

#include "graphics/Batch.h"
#include "graphics/Renderer.h"
#include "interface/MenuLook.h"
#include "interface/Style.h"
#include "interface/WButton.h"
#include "interface/WField.h"
#include "interface/WLabel.h"
#include "interface/WVBox.h"
#include "interface/WidgetRoot.h"
#include "screens/Hud.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace Velmora::Logic {

using Interface::Style;

namespace {

constexpr int32_t kButtonBorder = 10;
constexpr int32_t kButtonMinWidth = 440; // the menus' page width
constexpr int32_t kInfoSpacing = 6;
constexpr double kInfoGap = 18.0;            // between the info lines and the button
constexpr double kBandMargin = 24.0;         // band beyond the panel, above and below
constexpr uint32_t kBandColor = 0x99000000u; // black at 0.6
const Color kTitleColor = Color::FromRgba(150, 210, 255);
const Color kTimeColor = Color::FromRgba(242, 250, 255);
const Color kCompleteColor = Color::FromRgba(120, 230, 150);

Color MedalColor(Medal medal) {
    switch (medal) {
        case Medal::kGold:
            return Color::FromRgba(255, 204, 64);
        case Medal::kSilver:
            return Color::FromRgba(205, 215, 230);
        case Medal::kBronze:
            return Color::FromRgba(214, 140, 72);
        default:
            return Color::FromRgba(150, 160, 170);
    }
}

// The colour of each info line, by its place among the lines of a win.
Color LineColor(size_t index, const ResultSummary& summary) {
    if (index == 0) return kTitleColor;
    if (index == 1) return kTimeColor;
    if (index == 2) return MedalColor(summary.mMedal);
    return kCompleteColor;
}

} // namespace

const char* ResultPanel::ButtonLabel(const ResultSummary& summary) {
    if (!summary.mWon) return "Try Again";
    return summary.mLastLevel ? "Continue" : "Next Mission";
}

std::vector<std::string> ResultPanel::InfoLines(const ResultSummary& summary) {
    if (!summary.mWon) return {};
    std::string medal = summary.mMedal == Medal::kNone ? "No medal" : std::string(MedalName(summary.mMedal)) + " medal";
    if (summary.mNextMedal != Medal::kNone) {
        std::string next = MedalName(summary.mNextMedal);
        next[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(next[0])));
        medal += " (" + next + ": " + Hud::FormatClock(summary.mNextMedalTime) + ")";
    }
    std::vector<std::string> lines{
        "Mission complete", "Time " + Hud::FormatClock(summary.mSeconds) + Hud::FormatHundredths(summary.mSeconds),
        medal};
    if (summary.mLastLevel) lines.emplace_back("Campaign complete!");
    return lines;
}

void ResultPanel::Show(Interface::WidgetRoot& root, const ResultSummary& summary,
                       std::unique_ptr<Interface::WButtonCallback> callback) {
    root.Clear();
    auto button = Interface::WButton::MakeLabelled(ButtonLabel(summary), std::move(callback), "menu", kButtonBorder);
    button->mStyle.SetColor1(Style::kWhite); // the label's text, as in the menus
    // As wide as the menus' buttons, so the label has room on both sides within its frame.
    button->mMinWidth = kButtonMinWidth;
    button->Layout();
    Interface::MenuLook::Apply(*button);
    root.Add(std::move(button));
    auto info = std::make_unique<Interface::WVBox>(kInfoSpacing, 0);
    info->mMinWidth = kButtonMinWidth;
    const std::vector<std::string> lines = InfoLines(summary);
    for (size_t i = 0; i < lines.size(); ++i) {
        auto* label = info->Emplace<Interface::WLabel>(lines[i], i == 0 ? "menu_small" : "menu");
        label->mStyle.SetColor1(LineColor(i, summary));
    }
    root.Add(std::move(info));
}

Interface::Widget* ResultPanel::GetButton(const Interface::WidgetRoot& root) {
    const Interface::Widget* top = root.GetTop();
    return top && top->GetChildCount() > 0 ? top->GetChild(0) : nullptr;
}

Interface::Widget* ResultPanel::GetInfo(const Interface::WidgetRoot& root) {
    const Interface::Widget* top = root.GetTop();
    return top && top->GetChildCount() > 1 ? top->GetChild(1) : nullptr;
}

void ResultPanel::Arrange(Interface::WidgetRoot& root, int width, int height) {
    Interface::Widget* button = GetButton(root);
    if (!button) return;
    button->mX = std::floor((width - button->GetAreaWidth()) * 0.5);
    button->mY = std::floor((height - button->GetAreaHeight()) * 0.5);
    if (Interface::Widget* info = GetInfo(root)) {
        info->mX = std::floor((width - info->GetAreaWidth()) * 0.5);
        info->mY = button->mY + button->GetAreaHeight() + kInfoGap;
    }
}

void ResultPanel::Draw(Interface::WidgetRoot& root, Graphics::Renderer& renderer, int width) {
    // A dark band across the window behind the panel, so it reads over any part of the level.
    const Interface::Widget* button = GetButton(root);
    if (button) {
        const Interface::Widget* info = GetInfo(root);
        const bool hasInfo = info && info->GetChildCount() > 0;
        const double top = hasInfo ? info->mY + info->GetAreaHeight() : button->mY + button->GetAreaHeight();
        const double margin = hasInfo ? kBandMargin : button->GetAreaHeight();
        renderer.GetBatch(Graphics::kPrimitiveQuads, nullptr, kBandLayer, 4, Graphics::kBlendAlpha)
            .AddRect(0.0, width, button->mY - margin, top + margin, kBandColor);
    }
    root.Render(renderer);
}

} // namespace Velmora::Logic
