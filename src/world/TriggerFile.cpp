#include "world/TriggerFile.h"

#include "core/LogRecord.h"
#include "core/ParseNumber.h"
#include "script/ScriptManager.h"

#include <tinyxml.h>

#include <cstring>
#include <ostream>
#include <span>

namespace Velmora::Logic {

namespace {

// Index = the value stored for the name; 0 is "NONE", which no file may use.
const char* const kEventNames[] = {"NONE",  "SEEN",       "SHATTER",     "TICK",      "STEP",
                                   "SHOOT", "SHOCKWAVE",  "BEGIN_LEVEL", "END_LEVEL", "WIN",
                                   "LOSE",  "ENTER_ZONE", "EXIT_ZONE",   "MACGUFFIN", "GUN_PICKUP"};
const char* const kRuleTypeNames[] = {"NONE",     "NUMSEEN",       "NUMSHATTER",    "NUMTICKS", "NUMSTEPS",
                                      "NUMSHOTS", "NUMSHOCKWAVES", "NOTIFICATIONS", "IN_ZONE",  "MACGUFFIN"};
const char* const kOpNames[] = {"NONE", "EQ", "GT", "LT", "GTE", "LTE", "EACH"};

const char* NameAt(std::span<const char* const> names, int index) {
    return index > 0 && index < static_cast<int>(names.size()) ? names[static_cast<size_t>(index)] : names[0];
}

// The index of a name other than "NONE", or 0 when there is none.
int FindName(std::span<const char* const> names, const char* name) {
    for (size_t i = 1; i < names.size(); ++i) {
        if (std::strcmp(names[i], name) == 0) return static_cast<int>(i);
    }
    return 0;
}

// Every text and CDATA child in order: a callback written with "]]>" in it spans two sections.
std::string CallbackText(const TiXmlElement& callback) {
    std::string text;
    for (const TiXmlNode* node = callback.FirstChild(); node; node = node->NextSibling()) {
        if (const TiXmlText* piece = node->ToText()) text += piece->Value();
    }
    return text;
}

} // namespace

const char* TriggerFile::EventName(int event) { return NameAt(kEventNames, event); }

const char* TriggerFile::RuleTypeName(int type) { return NameAt(kRuleTypeNames, type); }

const char* TriggerFile::OpName(int op) { return NameAt(kOpNames, op); }

bool TriggerFile::ReadTrigger(const TiXmlElement& element, TriggerList& triggers) {
    const char* event = element.Attribute("event");
    if (!event || !*event) {
        VELMORA_LOG("LOGIC") << "Trigger missing event attribute";
        return false;
    }
    Trigger trigger;
    trigger.mEvent = static_cast<TriggerEvent>(FindName(kEventNames, event));
    if (trigger.mEvent == kEventNone) {
        VELMORA_LOG("LOGIC") << "Trigger has invalid event attribute: " << event;
        return false;
    }
    if (!ReadRules(element, trigger) || !ReadCallback(element, trigger)) return false;
    triggers.push_back(std::move(trigger));
    return true;
}

bool TriggerFile::ReadRules(const TiXmlElement& element, Trigger& trigger) {
    for (const TiXmlElement* rule = element.FirstChildElement("rule"); rule; rule = rule->NextSiblingElement("rule")) {
        const char* type = rule->Attribute("type");
        if (!type) {
            VELMORA_LOG("LOGIC") << "Trigger rule has no type";
            return false;
        }
        const int typeIndex = FindName(kRuleTypeNames, type);
        if (typeIndex == kRuleNone) {
            VELMORA_LOG("LOGIC") << "Trigger rule has invalid type: " << type;
            return false;
        }
        const char* op = rule->Attribute("op");
        if (!op) {
            VELMORA_LOG("LOGIC") << "Trigger rule has no op";
            return false;
        }
        const int opIndex = FindName(kOpNames, op);
        if (opIndex == kOpNone) {
            VELMORA_LOG("LOGIC") << "Trigger rule has invalid op: " << op;
            return false;
        }
        trigger.mRules.push_back({static_cast<TriggerRuleType>(typeIndex), TriggerRule::kLevelCounters,
                                  static_cast<TriggerOp>(opIndex), ParseInteger(rule->Attribute("param"))});
    }
    return true;
}

bool TriggerFile::ReadCallback(const TiXmlElement& element, Trigger& trigger) {
    const TiXmlElement* callback = element.FirstChildElement("callback");
    if (!callback) {
        VELMORA_LOG("LOGIC") << "Trigger missing <callback> element";
        return false;
    }
    trigger.mSource = CallbackText(*callback);
    const std::string chunkName = std::string("=") + EventName(trigger.mEvent) + " trigger";
    std::string error;
    trigger.mCallback = Script::ScriptManager::GetInstance().Compile(trigger.mSource, chunkName.c_str(), error);
    if (!trigger.mCallback.IsValid()) {
        VELMORA_LOG("LOGIC") << "Trigger callback failed to compile: " << error;
        return false;
    }
    return true;
}

void TriggerFile::WriteTriggers(const TriggerList& triggers, std::ostream& out) {
    for (const Trigger& trigger : triggers) {
        out << "\t<trigger event='" << EventName(trigger.mEvent) << "'>\n";
        for (const TriggerRule& rule : trigger.mRules) {
            out << "\t\t<rule type='" << RuleTypeName(rule.mType) << "' op='" << OpName(rule.mOp) << "'";
            if (rule.mParam != 0) out << " param='" << rule.mParam << "'";
            out << "/>\n";
        }
        out << "\t\t<callback><![CDATA[" << ToCdata(trigger.mSource) << "]]></callback>\n";
        out << "\t</trigger>\n";
    }
}

void TriggerFile::ReleaseTriggers(TriggerList& triggers) {
    for (Trigger& trigger : triggers) trigger.mCallback.Release();
    triggers.clear();
}

std::string TriggerFile::ToCdata(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    size_t start = 0;
    for (size_t found = text.find("]]>"); found != std::string::npos; found = text.find("]]>", start)) {
        // "]]" ends one section and ">" begins the next.
        result.append(text, start, found + 2 - start).append("]]><![CDATA[");
        start = found + 2;
    }
    result.append(text, start, std::string::npos);
    return result;
}

} // namespace Velmora::Logic
