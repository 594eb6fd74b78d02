#include "debug/TweakBarWindow.h"

#include "debug/TweakPanel.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace Velmora::Debug {

namespace {

constexpr float kWindowWidth = 320.0f;
constexpr float kWindowHeight = 480.0f;
constexpr float kMargin = 16.0f;

// A definition's bound as a value of the variable's type: NaN means no bound, anything else is
// clamped into the type's range so the conversion is defined.
template <class T>
std::optional<T> Bound(const std::optional<double>& value) {
    if (!value || std::isnan(*value)) return std::nullopt;
    const auto low = static_cast<double>(std::numeric_limits<T>::lowest());
    const auto high = static_cast<double>(std::numeric_limits<T>::max());
    return static_cast<T>(std::clamp(*value, low, high));
}

template <class T>
void DrawNumber(const std::string& id, ImGuiDataType type, void* address, const TweakDefinition& definition,
                const char* format) {
    std::optional<T> low = Bound<T>(definition.mMin);
    std::optional<T> high = Bound<T>(definition.mMax);
    if (low && high && *low > *high) low = high = std::nullopt; // contradictory: leave it open
    const auto speed = static_cast<float>(TweakBarWindow::DragSpeed(definition, type == ImGuiDataType_S32));
    ImGui::DragScalar(id.c_str(), type, address, speed, low ? &*low : nullptr, high ? &*high : nullptr, format,
                      ImGuiSliderFlags_AlwaysClamp);
}

void DrawEntry(const TweakBarWindow::Entry& entry, TweakPanel& panel) {
    const std::string& label = entry.mDefinition.mLabel.empty() ? *entry.mKey : entry.mDefinition.mLabel;
    const std::string id = label + "##" + *entry.mKey; // the key keeps equal labels apart
    void* address = entry.mVariable->mAddress;
    switch (entry.mVariable->mType) {
        case TweakType::kBool:
            ImGui::Checkbox(id.c_str(), static_cast<bool*>(address));
            break;
        case TweakType::kDouble:
            DrawNumber<double>(id, ImGuiDataType_Double, address, entry.mDefinition,
                               TweakBarWindow::DoubleFormat(entry.mDefinition).c_str());
            break;
        case TweakType::kInt:
            DrawNumber<int>(id, ImGuiDataType_S32, address, entry.mDefinition, "%d");
            break;
    }
    panel.NoteItemRect(*entry.mKey);
}

} // namespace

std::vector<TweakBarWindow::Group> TweakBarWindow::GroupVariables(const TweakBar& bar) {
    std::vector<Group> groups{{std::string(), {}}};
    for (const auto& [key, variable] : bar.mVariables) {
        TweakDefinition definition = ParseTweakDefinition(variable.mDefinition);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const Group& candidate) { return candidate.first == definition.mGroup; });
        if (group == groups.end()) group = groups.insert(groups.end(), Group{definition.mGroup, {}});
        group->second.push_back(Entry{&key, &variable, std::move(definition)});
    }
    return groups;
}

double TweakBarWindow::DragSpeed(const TweakDefinition& definition, bool isInt) {
    if (definition.mStep && *definition.mStep > 0.0 && std::isfinite(*definition.mStep)) return *definition.mStep;
    const double range = definition.mMin && definition.mMax ? *definition.mMax - *definition.mMin : 0.0;
    if (std::isfinite(range) && range > 0.0) return std::max(range / 500.0, isInt ? 0.02 : 1.0e-6);
    return isInt ? 0.2 : 0.1;
}

std::string TweakBarWindow::DoubleFormat(const TweakDefinition& definition) {
    if (!definition.mStep || !(*definition.mStep > 0.0) || !std::isfinite(*definition.mStep)) return "%.3f";
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(*definition.mStep) - 1.0e-9)), 1, 6);
    return "%." + std::to_string(decimals) + "f";
}

void TweakBarWindow::Draw(const std::string& barKey, const TweakBar& bar, int index, TweakPanel& panel) {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const float offset = kMargin + 24.0f * static_cast<float>(index);
    ImGui::SetNextWindowPos(ImVec2(offset, offset), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(kWindowWidth, std::clamp(display.y - 2.0f * kMargin, 120.0f, kWindowHeight)),
                             ImGuiCond_FirstUseEver);
    const std::string title = bar.mTitle + "###" + barKey; // panels may share a title
    if (ImGui::Begin(title.c_str())) {
        ImGui::PushItemWidth(ImGui::GetWindowWidth() * 0.45f);
        for (const Group& group : GroupVariables(bar)) {
            if (!group.first.empty() && !ImGui::CollapsingHeader(group.first.c_str(), ImGuiTreeNodeFlags_DefaultOpen)) {
                continue;
            }
            for (const Entry& entry : group.second) DrawEntry(entry, panel);
        }
        ImGui::PopItemWidth();
    }
    panel.NoteWindowRect();
    ImGui::End();
}

} // namespace Velmora::Debug
