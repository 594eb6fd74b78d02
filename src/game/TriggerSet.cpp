#include "game/TriggerSet.h"

#include "core/LogRecord.h"
#include "script/ScriptManager.h"
#include "world/TriggerFile.h"

#include <cstdint>
#include <string>

namespace Velmora::Logic {

namespace {

bool Compare(TriggerOp op, int value, int param) {
    switch (op) {
        case kOpEq:
            return value == param;
        case kOpGt:
            return value > param;
        case kOpLt:
            return value < param;
        case kOpGte:
            return value >= param;
        case kOpLte:
            return value <= param;
        // In 64 bits: the smallest int modulo −1 would overflow in 32.
        case kOpEach:
            return param != 0 && static_cast<int64_t>(value) % static_cast<int64_t>(param) == 0;
        default:
            return false;
    }
}

int CounterValue(const GameCounters& counters, TriggerRuleType type) {
    switch (type) {
        case kRuleNumSeen:
            return counters.mSeen;
        case kRuleNumShatter:
            return counters.mShatter;
        case kRuleNumTicks:
            return counters.mTicks;
        case kRuleNumSteps:
            return counters.mSteps;
        case kRuleNumShots:
            return counters.mShots;
        case kRuleNumShockwaves:
            return counters.mShockwaves;
        default:
            return counters.mMacGuffin;
    }
}

} // namespace

TriggerSet::TriggerSet(GameCounters& game, GameCounters& level, NotificationCounter notifications)
    : mGame(game), mLevel(level), mNotifications(std::move(notifications)) {}

void TriggerSet::FireEvent(const TriggerList* triggers, TriggerEvent event, int zoneId) {
    if (int* counter = mGame.CounterFor(event)) ++*counter;
    if (int* counter = mLevel.CounterFor(event)) ++*counter;
    if (!triggers) return;
    const int zone = event == kEventEnterZone || event == kEventExitZone ? zoneId : 0;
    const unsigned generation = mGeneration;
    // By index, and only while the list is still the one we began with: a callback may load
    // another level, which ends this one and its triggers.
    for (size_t i = 0; generation == mGeneration && i < triggers->size(); ++i) {
        const Trigger& trigger = (*triggers)[i];
        if (trigger.mEvent != event || !RulesHold(trigger, zone)) continue;
        RunCallback(trigger, event);
    }
}

bool TriggerSet::RulesHold(const Trigger& trigger, int zoneId) const {
    for (const TriggerRule& rule : trigger.mRules) {
        if (!RuleHolds(rule, zoneId)) return false;
    }
    return true;
}

bool TriggerSet::RuleHolds(const TriggerRule& rule, int zoneId) const {
    if (rule.mOp < kOpEq || rule.mOp > kOpEach) return false;
    bool known = true;
    const int value = RuleValue(rule, zoneId, known);
    if (!known) {
        VELMORA_LOG("LOGIC") << "Unknown trigger type " << static_cast<int>(rule.mType);
        return true;
    }
    return Compare(rule.mOp, value, rule.mParam);
}

int TriggerSet::RuleValue(const TriggerRule& rule, int zoneId, bool& known) const {
    const GameCounters& counters = rule.mCounterSet == TriggerRule::kGameCounters ? mGame : mLevel;
    switch (rule.mType) {
        case kRuleNumSeen:
        case kRuleNumShatter:
        case kRuleNumTicks:
        case kRuleNumSteps:
        case kRuleNumShots:
        case kRuleNumShockwaves:
        case kRuleMacGuffin:
            return CounterValue(counters, rule.mType);
        case kRuleNotifications:
            return mNotifications ? mNotifications() : 0;
        case kRuleInZone:
            return zoneId;
        default:
            known = false;
            return 0;
    }
}

void TriggerSet::RunCallback(const Trigger& trigger, TriggerEvent event) {
    std::string error;
    // The trigger may be gone once the call returns; only the event is used afterwards.
    if (Script::ScriptManager::GetInstance().Call(trigger.mCallback, error)) return;
    VELMORA_LOG("LUA") << "Runtime error in " << TriggerFile::EventName(event) << " trigger: " << error;
}

} // namespace Velmora::Logic
