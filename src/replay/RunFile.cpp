#include "replay/RunFile.h"

#include "core/ReadFile.h"
#include "core/UserFiles.h"

#include <bit>
#include <cmath>

namespace Velmora::Replay {

namespace {

constexpr char kMagic[4] = {'V', 'R', 'U', 'N'};
constexpr size_t kMaxFileBytes = 64u << 20;
// Far beyond any real speed or facing; keeps a hostile file's numbers harmless.
constexpr double kMaxMagnitude = 1.0e6;

enum SegmentFlags : uint8_t {
    kFire = 0x01,
    kResumed = 0x02,
    kHasMove = 0x04,
    kHasFacing = 0x08,
    kKnownFlags = 0x0F,
};

class Writer {
public:
    void U8(uint8_t value) { mBytes.push_back(static_cast<char>(value)); }
    void U16(uint16_t value) { Unsigned(value, 2); }
    void U32(uint32_t value) { Unsigned(value, 4); }
    void U64(uint64_t value) { Unsigned(value, 8); }
    void Double(double value) { U64(std::bit_cast<uint64_t>(value)); }
    void Text(const std::string& text) {
        U8(static_cast<uint8_t>(text.size()));
        mBytes += text;
    }
    void Raw(const char* bytes, size_t count) { mBytes.append(bytes, count); }
    std::string mBytes;

private:
    void Unsigned(uint64_t value, int count) {
        for (int i = 0; i < count; ++i) U8(static_cast<uint8_t>(value >> (8 * i)));
    }
};

// Reads little-endian values; any read past the end sets mFailed and yields zero.
class Reader {
public:
    explicit Reader(const std::string& bytes) : mBytes(bytes) {}
    uint64_t Unsigned(int count) {
        if (mBytes.size() - mPos < static_cast<size_t>(count)) {
            mFailed = true;
            mPos = mBytes.size();
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < count; ++i) value |= static_cast<uint64_t>(static_cast<uint8_t>(mBytes[mPos++])) << (8 * i);
        return value;
    }
    double Double() { return std::bit_cast<double>(Unsigned(8)); }
    std::string Text() {
        const size_t length = Unsigned(1);
        if (mBytes.size() - mPos < length) {
            mFailed = true;
            return {};
        }
        std::string text = mBytes.substr(mPos, length);
        mPos += length;
        return text;
    }
    bool AtEnd() const { return mPos == mBytes.size(); }
    bool mFailed = false;

private:
    const std::string& mBytes;
    size_t mPos = 0;
};

Vector2 ReadVector(Reader& in) {
    const double x = in.Double();
    const double y = in.Double();
    return Vector2(x, y);
}

bool IsSane(const Vector2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::fabs(v.x) <= kMaxMagnitude &&
        std::fabs(v.y) <= kMaxMagnitude;
}

void WriteSegment(Writer& out, const RunSegment& segment, const Vector2& lastFacing) {
    const Logic::TickInput& input = segment.mInput;
    uint8_t flags = (input.mFire ? kFire : 0) | (input.mResumed ? kResumed : 0);
    if (input.mMove != Vector2()) flags |= kHasMove;
    if (input.mFacing != lastFacing) flags |= kHasFacing;
    out.U32(segment.mCount);
    out.U8(flags);
    if (flags & kHasMove) {
        out.Double(input.mMove.x);
        out.Double(input.mMove.y);
    }
    if (flags & kHasFacing) {
        out.Double(input.mFacing.x);
        out.Double(input.mFacing.y);
    }
}

bool ReadHeader(Reader& in, RunHeader& header, std::string& error) {
    const std::string magic = {static_cast<char>(in.Unsigned(1)), static_cast<char>(in.Unsigned(1)),
                               static_cast<char>(in.Unsigned(1)), static_cast<char>(in.Unsigned(1))};
    if (in.mFailed || magic != std::string(kMagic, 4)) return (error = "not a recorded run"), false;
    const uint64_t version = in.Unsigned(2);
    if (version != RunFile::kVersion) {
        error = "format version " + std::to_string(version) + " (this game reads version " +
            std::to_string(RunFile::kVersion) + ")";
        return false;
    }
    header.mCampaign = in.Text();
    header.mLevel = in.Text();
    header.mSeed = static_cast<uint32_t>(in.Unsigned(4));
    header.mContentHash = in.Unsigned(8);
    header.mTicksPerSecond = static_cast<uint32_t>(in.Unsigned(2));
    const uint64_t gun = in.Unsigned(1);
    const uint64_t result = in.Unsigned(1);
    header.mFinalHash = in.Unsigned(8);
    if (in.mFailed) return (error = "truncated header"), false;
    if (!IsPlainFileStem(header.mCampaign) || !IsPlainFileStem(header.mLevel) ||
        header.mCampaign.size() > RunFile::kMaxNameLength || header.mLevel.size() > RunFile::kMaxNameLength) {
        return (error = "bad campaign or level name"), false;
    }
    if (header.mTicksPerSecond < 1 || header.mTicksPerSecond > 1000) return (error = "bad tick rate"), false;
    if (gun > Logic::kShockGun) return (error = "bad gun " + std::to_string(gun)), false;
    if (result > static_cast<uint64_t>(RunResult::kLost)) return (error = "bad result"), false;
    header.mGun = static_cast<Logic::GunType>(gun);
    header.mResult = static_cast<RunResult>(result);
    return true;
}

} // namespace

const char* RunResultName(RunResult result) {
    switch (result) {
        case RunResult::kWon:
            return "won";
        case RunResult::kLost:
            return "lost";
        default:
            return "unfinished";
    }
}

void RunFile::Append(const Logic::TickInput& input) {
    ++mTicks;
    if (!mSegments.empty() && mSegments.back().mInput == input) {
        ++mSegments.back().mCount;
        return;
    }
    mSegments.push_back(RunSegment{1, input});
}

std::string RunFile::Encode() const {
    Writer out;
    out.Raw(kMagic, 4);
    out.U16(kVersion);
    out.Text(mHeader.mCampaign);
    out.Text(mHeader.mLevel);
    out.U32(mHeader.mSeed);
    out.U64(mHeader.mContentHash);
    out.U16(static_cast<uint16_t>(mHeader.mTicksPerSecond));
    out.U8(static_cast<uint8_t>(mHeader.mGun));
    out.U8(static_cast<uint8_t>(mHeader.mResult));
    out.U64(mHeader.mFinalHash);
    out.U32(mTicks);
    Vector2 facing;
    for (const RunSegment& segment : mSegments) {
        WriteSegment(out, segment, facing);
        facing = segment.mInput.mFacing;
    }
    return out.mBytes;
}

bool RunFile::Decode(const std::string& bytes, std::string& error) {
    *this = RunFile();
    Reader in(bytes);
    RunFile run;
    if (!ReadHeader(in, run.mHeader, error)) return false;
    const uint64_t ticks = in.Unsigned(4);
    if (in.mFailed) return (error = "truncated header"), false;
    if (ticks > kMaxTicks) {
        error = "too many ticks (" + std::to_string(ticks) + ", at most " + std::to_string(kMaxTicks) + ")";
        return false;
    }
    Vector2 facing;
    while (run.mTicks < ticks) {
        RunSegment segment;
        segment.mCount = static_cast<uint32_t>(in.Unsigned(4));
        const uint64_t flags = in.Unsigned(1);
        if ((flags & kHasMove) != 0) segment.mInput.mMove = ReadVector(in);
        segment.mInput.mFacing = (flags & kHasFacing) != 0 ? ReadVector(in) : facing;
        if (in.mFailed) return (error = "truncated after tick " + std::to_string(run.mTicks)), false;
        if (segment.mCount == 0 || segment.mCount > ticks - run.mTicks || (flags & ~uint64_t{kKnownFlags}) != 0) {
            return (error = "damaged inputs after tick " + std::to_string(run.mTicks)), false;
        }
        if (!IsSane(segment.mInput.mMove) || !IsSane(segment.mInput.mFacing)) {
            return (error = "bad numbers after tick " + std::to_string(run.mTicks)), false;
        }
        segment.mInput.mFire = (flags & kFire) != 0;
        segment.mInput.mResumed = (flags & kResumed) != 0;
        facing = segment.mInput.mFacing;
        run.mTicks += segment.mCount;
        run.mSegments.push_back(segment);
    }
    if (!in.AtEnd()) return (error = "unexpected bytes after the last tick"), false;
    *this = std::move(run);
    return true;
}

bool RunFile::Load(const std::string& path, std::string& error) {
    std::string bytes;
    if (!ReadFileText(path, bytes, kMaxFileBytes)) {
        error = "cannot read the file (missing, unreadable or larger than 64 MB)";
        return false;
    }
    return Decode(bytes, error);
}

bool RunFile::Save(const std::string& path) const { return WriteFileAtomically(path, Encode()); }

bool RunCursor::Next(Logic::TickInput& input) {
    const std::vector<RunSegment>& segments = mRun.GetSegments();
    while (mSegment < segments.size() && mUsed >= segments[mSegment].mCount) {
        ++mSegment;
        mUsed = 0;
    }
    if (mSegment >= segments.size()) return false;
    input = segments[mSegment].mInput;
    ++mUsed;
    return true;
}

} // namespace Velmora::Replay
