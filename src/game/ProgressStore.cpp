#include "game/ProgressStore.h"

#include "core/LogRecord.h"
#include "core/Path.h"
#include "core/ReadFile.h"
#include "core/UserFiles.h"
#include "core/XmlFile.h"

#include <tinyxml.h>

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

namespace Velmora::Logic {

namespace {

constexpr size_t kMaxFileBytes = 4 << 20;

// Campaign and level names are file stems: a name read from the file can never lead a path out
// of its folder, nor carry text the menus cannot show.
bool IsPlainName(const char* name) { return name && IsPlainFileStem(name); }

bool ReadNumber(const TiXmlElement& element, const char* name, double low, double high, double& value) {
    const char* text = element.Attribute(name);
    if (!text) return false;
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    stream >> value;
    return stream && stream.peek() == std::char_traits<char>::eof() && std::isfinite(value) && value >= low &&
        value <= high;
}

bool ReadEntry(const TiXmlElement& element, ProgressStore::Key& key, LevelProgress& progress) {
    const char* campaign = element.Attribute("campaign");
    const char* level = element.Attribute("name");
    double finished = 0.0;
    double best = 0.0;
    double medal = 0.0;
    if (!IsPlainName(campaign) || !IsPlainName(level) || !ReadNumber(element, "finished", 0, 1, finished) ||
        !ReadNumber(element, "best", 0, ProgressStore::kMaxTime, best) ||
        !ReadNumber(element, "medal", static_cast<int>(Medal::kNone), static_cast<int>(Medal::kGold), medal) || medal != std::floor(medal)) {
        return false;
    }
    key = {campaign, level};
    progress = {finished >= 1.0, best, static_cast<Medal>(static_cast<int>(medal))};
    return true;
}

// The shortest text that reads back as the same number.
std::string FormatNumber(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    return std::string(text, result.ptr);
}

std::string DefaultPath() {
    const std::string folder = UserDataFolder();
    return folder.empty() ? folder : JoinPath(folder, "progress.xml");
}

} // namespace

ProgressStore& ProgressStore::GetInstance() {
    static ProgressStore* instance = [] {
        auto* store = new ProgressStore(DefaultPath()); // lives to process exit, like the systems
        store->Load();
        return store;
    }();
    return *instance;
}

ProgressStore::ProgressStore(std::string path) : mPath(std::move(path)) {}

bool ProgressStore::Parse(const std::string& text, Levels& levels, std::string& why) {
    TiXmlDocument document;
    if (!ParseXmlText(text, document, "progress")) {
        why = document.ErrorDesc();
        return false;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || root->ValueStr() != "progress") {
        why = "no <progress> root";
        return false;
    }
    size_t count = 0;
    for (const TiXmlElement* entry = root->FirstChildElement("level"); entry && count < kMaxEntries;
         entry = entry->NextSiblingElement("level"), ++count) {
        Key key;
        LevelProgress progress;
        if (ReadEntry(*entry, key, progress)) levels[key] = progress;
    }
    return true;
}

std::string ProgressStore::Serialize(const Levels& levels) {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
    auto* root = new TiXmlElement("progress");
    document.LinkEndChild(root);
    for (const auto& [key, progress] : levels) {
        auto* element = new TiXmlElement("level");
        element->SetAttribute("campaign", key.first);
        element->SetAttribute("name", key.second);
        element->SetAttribute("finished", progress.mFinished ? 1 : 0);
        element->SetAttribute("best", FormatNumber(progress.mBestTime));
        element->SetAttribute("medal", static_cast<int>(progress.mBestMedal));
        root->LinkEndChild(element);
    }
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.CStr();
}

void ProgressStore::Load() {
    mLevels.clear();
    std::string text;
    if (mPath.empty() || !IsRegularFile(mPath) || !ReadFileText(mPath, text, kMaxFileBytes)) return;
    std::string why;
    Levels levels;
    if (!Parse(text, levels, why)) {
        SetAsideDamagedFile(mPath, "LOGIC", why);
        return;
    }
    mLevels = std::move(levels);
}

bool ProgressStore::Save() {
    if (!mPath.empty() && WriteFileAtomically(mPath, Serialize(mLevels))) return true;
    if (!mSaveFailureLogged) {
        VELMORA_LOG("LOGIC") << "Cannot save the progress to "
                             << (mPath.empty() ? std::string("(no user folder)") : mPath)
                             << "; it is kept for this run only";
        mSaveFailureLogged = true;
    }
    return false;
}

ProgressStore::Result ProgressStore::RecordWin(const std::string& campaign, const std::string& level, double seconds,
                                               Medal medal) {
    Result result;
    result.mMedal = medal;
    if (!IsPlainName(campaign.c_str()) || !IsPlainName(level.c_str()) || !(seconds >= 0.0 && seconds <= kMaxTime)) {
        return result;
    }
    LevelProgress& progress = mLevels[{campaign, level}];
    result.mPreviousBest = progress.mFinished ? progress.mBestTime : 0.0;
    result.mNewBest = progress.mFinished && seconds < progress.mBestTime;
    if (!progress.mFinished || seconds < progress.mBestTime) progress.mBestTime = seconds;
    if (medal > progress.mBestMedal) progress.mBestMedal = medal;
    progress.mFinished = true;
    Save();
    return result;
}

LevelProgress ProgressStore::Get(const std::string& campaign, const std::string& level) const {
    const auto found = mLevels.find({campaign, level});
    return found != mLevels.end() ? found->second : LevelProgress{};
}

CampaignProgress ProgressStore::Summarize(const std::string& campaign, const std::vector<std::string>& levels) const {
    CampaignProgress summary;
    summary.mLevels = static_cast<int>(levels.size());
    for (const std::string& level : levels) {
        const LevelProgress progress = Get(campaign, level);
        if (progress.mFinished) ++summary.mFinished;
        if (progress.mBestMedal == Medal::kGold) ++summary.mGold;
        if (progress.mBestMedal == Medal::kSilver) ++summary.mSilver;
        if (progress.mBestMedal == Medal::kBronze) ++summary.mBronze;
    }
    return summary;
}

std::string DescribeCampaignProgress(const CampaignProgress& progress) {
    if (progress.mFinished == 0) return "No levels finished yet";
    std::string text =
        std::to_string(progress.mFinished) + " of " + std::to_string(progress.mLevels) + " levels finished";
    std::string medals;
    const auto add = [&medals](int count, const char* name) {
        if (count <= 0) return;
        medals += (medals.empty() ? "" : ", ") + std::to_string(count) + " " + name;
    };
    add(progress.mGold, "gold");
    add(progress.mSilver, "silver");
    add(progress.mBronze, "bronze");
    return medals.empty() ? text : text + " - medals: " + medals;
}

} // namespace Velmora::Logic
