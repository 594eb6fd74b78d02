#pragma once

#include "game/Medal.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Velmora::Logic {

/// What the player has done in one level.
struct LevelProgress {
    bool mFinished = false;
    double mBestTime = 0.0; ///< seconds of the fastest win; 0 before the first
    Medal mBestMedal = Medal::kNone;

    bool operator==(const LevelProgress&) const = default;
};

/// One campaign at a glance, for the campaign page.
struct CampaignProgress {
    int mLevels = 0;
    int mFinished = 0;
    int mGold = 0;
    int mSilver = 0;
    int mBronze = 0;
};

/// The player's progress over every campaign, kept in "progress.xml" in the user's data folder:
///
///     <progress>
///         <level campaign="training" name="walk" finished="1" best="12.5" medal="3"/>
///     </progress>
///
/// Read tolerantly: entries with bad names or values are skipped one by one, and a file that is
/// not such a document is set aside as "progress.xml.bad" with a log line. Written through a
/// temporary file and a rename after every recorded win; when the folder cannot be written the
/// progress is kept for the run and the failure logged once.
class ProgressStore {
public:
    using Key = std::pair<std::string, std::string>; ///< campaign id, level name
    using Levels = std::map<Key, LevelProgress>;

    /// What RecordWin found.
    struct Result {
        bool mNewBest = false;      ///< faster than an earlier win of the level
        double mPreviousBest = 0.0; ///< that earlier best, 0 when there was none
        Medal mMedal = Medal::kNone;  ///< the medal this time earned
    };

    /// Most entries read from one file (names must be plain file stems, see IsPlainFileStem).
    static constexpr size_t kMaxEntries = 4096;
    /// Times above this (about 11 days) are damaged values, not runs.
    static constexpr double kMaxTime = 1.0e6;

    /// The game's store, read from the user's data folder on first use.
    static ProgressStore& GetInstance();
    /// An empty store saving to `path` (empty: kept in memory only).
    explicit ProgressStore(std::string path = std::string());

    /// Parses a progress document into levels. False when it is not XML with a <progress> root
    /// (`why` says what was wrong); bad entries inside a good document are skipped.
    static bool Parse(const std::string& text, Levels& levels, std::string& why);
    /// The document for a set of levels, as Parse reads it.
    static std::string Serialize(const Levels& levels);

    /// Replaces the levels with those of the file at the store's path (see the class comment).
    void Load();
    /// Writes the levels to the store's path; false (logged once) when that fails.
    bool Save();

    /// A won level: marks it finished, keeps the better time and medal, and saves.
    Result RecordWin(const std::string& campaign, const std::string& level, double seconds, Medal medal);
    /// The level's progress; a default (unfinished) one when nothing is recorded.
    LevelProgress Get(const std::string& campaign, const std::string& level) const;
    /// Sums a campaign over its level names.
    CampaignProgress Summarize(const std::string& campaign, const std::vector<std::string>& levels) const;

    const Levels& GetLevels() const { return mLevels; }
    const std::string& GetPath() const { return mPath; }

private:
    std::string mPath;
    Levels mLevels;
    bool mSaveFailureLogged = false;
};

/// The campaign page's line for a campaign, e.g. "2 of 3 levels finished - medals: 1 gold,
/// 1 silver"; "No levels finished yet" before the first.
std::string DescribeCampaignProgress(const CampaignProgress& progress);

} // namespace Velmora::Logic
