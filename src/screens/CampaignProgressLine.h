#pragma once

#include <string>

namespace Velmora::Interface {
class WVBox;
}

namespace Velmora::Logic {

/// Adds the campaign page's progress line for a campaign under its button: how many of the
/// campaign's levels the player finished and the medals won (see DescribeCampaignProgress), in
/// the small menu font. A campaign whose file lists no levels gets no line.
void AddCampaignProgressLine(Interface::WVBox& page, const std::string& campaign);

} // namespace Velmora::Logic
