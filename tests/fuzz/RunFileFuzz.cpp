// Arbitrary bytes as a recorded run. A run that reads holds at most the tick limit, plain names
// and finite inputs, and what it writes reads back with the same ticks.

#include "core/UserFiles.h"
#include "fuzz/FuzzSupport.h"
#include "replay/RunFile.h"

#include <cmath>

using namespace Velmora;
using namespace Velmora::Replay;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunFile run;
    std::string error;
    if (!run.Decode(std::string(Tests::Text(data, size)), error)) {
        if (error.empty() || error.find('\n') != std::string::npos || run.GetTickCount() != 0) std::abort();
        return 0;
    }
    if (run.GetTickCount() > RunFile::kMaxTicks) std::abort();
    if (!IsPlainFileStem(run.mHeader.mCampaign) || !IsPlainFileStem(run.mHeader.mLevel)) std::abort();
    RunCursor cursor(run);
    Logic::TickInput input;
    uint32_t ticks = 0;
    for (; cursor.Next(input); ++ticks) {
        if (!std::isfinite(input.mMove.x) || !std::isfinite(input.mFacing.y)) std::abort();
    }
    if (ticks != run.GetTickCount()) std::abort();
    RunFile again;
    if (!again.Decode(run.Encode(), error) || again.GetTickCount() != ticks) std::abort();
    return 0;
}
