#pragma once

#include "world/Trigger.h"

#include <iosfwd>
#include <string>

class TiXmlElement;

namespace Velmora::Logic {

/// The <trigger> elements of a level file:
///
///     <trigger event='EVENT'>
///         <rule type='TYPE' op='OP' param='N'/>      (any number; param defaults to 0)
///         <callback><![CDATA[ Lua source ]]></callback>
///     </trigger>
///
/// Names are those of TriggerEvent, TriggerRuleType and TriggerOp, exact and case-sensitive.
class TriggerFile {
public:
    /// Parses one element and appends the trigger, its callback compiled, to the list. On any
    /// error nothing is appended, the reason is logged on "LOGIC" and false is returned.
    static bool ReadTrigger(const TiXmlElement& element, TriggerList& triggers);
    /// Writes every trigger in order, in the exact text the level writer expects.
    static void WriteTriggers(const TriggerList& triggers, std::ostream& out);
    /// Releases every callback and empties the list.
    static void ReleaseTriggers(TriggerList& triggers);

    /// The file names of events, rule types and ops; "NONE" outside their ranges.
    static const char* EventName(int event);
    static const char* RuleTypeName(int type);
    static const char* OpName(int op);

    /// Text that a CDATA section holds unchanged: each "]]>" is split across two sections.
    static std::string ToCdata(const std::string& text);

private:
    static bool ReadRules(const TiXmlElement& element, Trigger& trigger);
    static bool ReadCallback(const TiXmlElement& element, Trigger& trigger);
};

} // namespace Velmora::Logic
