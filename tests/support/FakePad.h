// A pad for tests: what it reads is set by the test, what it was told to do is recorded.
#pragma once

#include "core/Pad.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace Velmora::Tests {

/// Reads mState while mConnected, numbering packets like a real pad (the number grows whenever
/// the input differs from the previous read), and records every SetVibration call.
class FakePad : public Pad {
public:
    bool ReadState(PadState& state) override {
        ++mReads;
        if (!mConnected) return false;
        if (!mHaveLast || !mState.SameInputAs(mLast)) ++mPacket;
        mLast = mState;
        mHaveLast = true;
        state = mState;
        state.mPacketNumber = mPacket;
        return true;
    }
    void SetVibration(uint16_t left, uint16_t right) override { mVibrations.emplace_back(left, right); }

    /// The last motor speeds sent; (0, 0) before any.
    std::pair<uint16_t, uint16_t> LastVibration() const {
        return mVibrations.empty() ? std::pair<uint16_t, uint16_t>{0, 0} : mVibrations.back();
    }

    PadState mState; ///< what the next read returns (its packet number is ignored)
    bool mConnected = true;
    int mReads = 0;
    std::vector<std::pair<uint16_t, uint16_t>> mVibrations;

private:
    PadState mLast;
    bool mHaveLast = false;
    uint32_t mPacket = 0;
};

} // namespace Velmora::Tests
