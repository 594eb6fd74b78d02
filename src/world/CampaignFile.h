#pragma once

#include <string>
#include <vector>

class TiXmlDocument;

namespace Velmora::Logic {

/// Reads campaign files, data/level/ID/campaign.xml: the campaign's level names (file stems of
/// the levels beside it) in play order.
///
///     <campaign>
///         <levels>
///             <level>NAME</level> …
///         </levels>
///     </campaign>
class CampaignFile {
public:
    /// root/data/level/ID/campaign.xml (a piece beginning with a slash replaces the path so far).
    static std::string CampaignPath(const std::string& id);
    /// The level names of the campaign file at `path`, in document order; empty when the file
    /// does not parse, lacks <campaign> or <levels>, or lists no level. Logs nothing.
    static std::vector<std::string> ReadLevelNames(const std::string& path);
    /// The same from the file's text.
    static std::vector<std::string> ParseLevelNames(const std::string& text);

private:
    static std::vector<std::string> LevelNamesOf(const TiXmlDocument& document);
};

} // namespace Velmora::Logic
