#include "replay/RunVerifier.h"

#include "replay/RunPlayer.h"
#include "replay/StateHash.h"

#include <chrono>
#include <cmath>
#include <ostream>

namespace Velmora::Replay {

namespace {

void PrintSpeed(std::ostream& out, uint32_t ticks, uint32_t ticksPerSecond, double seconds) {
    if (ticks == 0 || seconds <= 0.0) return;
    const double rate = ticks / seconds;
    out << ", " << std::lround(rate) << " ticks/s (" << std::lround(rate / ticksPerSecond) << "x real time)";
}

bool VerifyRun(const std::string& path, std::ostream& out) {
    RunFile run;
    std::string error;
    if (!run.Load(path, error)) {
        out << path << ": error: " << error << "\n";
        return false;
    }
    const auto start = std::chrono::steady_clock::now();
    const RunOutcome outcome = RunPlayer::PlayRun(run);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!outcome.mPlayed) {
        out << path << ": error: " << outcome.mError << "\n";
        return false;
    }
    out << path << ": " << RunResultName(outcome.mResult) << ", " << outcome.mTicks << " ticks, hash "
        << HashText(outcome.mHash);
    PrintSpeed(out, outcome.mTicks, run.mHeader.mTicksPerSecond, seconds);
    const bool sameResult = outcome.mResult == run.mHeader.mResult;
    if (!sameResult) out << "; recorded as " << RunResultName(run.mHeader.mResult);
    if (outcome.mHash != run.mHeader.mFinalHash) out << "; recorded hash " << HashText(run.mHeader.mFinalHash);
    out << "\n";
    return sameResult;
}

} // namespace

int VerifyRuns(const std::vector<std::string>& paths, std::ostream& out) {
    bool allGood = !paths.empty();
    for (const std::string& path : paths) allGood = VerifyRun(path, out) && allGood;
    out.flush();
    return allGood ? 0 : 1;
}

} // namespace Velmora::Replay
