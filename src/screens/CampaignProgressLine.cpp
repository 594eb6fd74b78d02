#include "screens/CampaignProgressLine.h"

#include "core/Color.h"
#include "game/ProgressStore.h"
#include "interface/WLabel.h"
#include "interface/WVBox.h"
#include "world/CampaignFile.h"

namespace Velmora::Logic {

namespace {

constexpr Color kProgressColor = Color::FromRgba(190, 200, 150);

} // namespace

void AddCampaignProgressLine(Interface::WVBox& page, const std::string& campaign) {
    const std::vector<std::string> levels = CampaignFile::ReadLevelNames(CampaignFile::CampaignPath(campaign));
    if (levels.empty()) return;
    const CampaignProgress progress = ProgressStore::GetInstance().Summarize(campaign, levels);
    auto* line = page.Emplace<Interface::WLabel>(DescribeCampaignProgress(progress), "menu_small");
    line->mStyle.SetColor1(kProgressColor);
}

} // namespace Velmora::Logic
