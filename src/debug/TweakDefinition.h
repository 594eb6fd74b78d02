#pragma once

#include <optional>
#include <string>

namespace Velmora::Debug {

/// The parts of a definition string such as "group='Debug Draw' label='Player' min=0 step=1".
/// Values may be bare words or quoted with ' or "; unknown keys are ignored.
struct TweakDefinition {
    std::string mGroup;
    std::string mLabel;
    std::optional<double> mMin;
    std::optional<double> mMax;
    std::optional<double> mStep;
};

TweakDefinition ParseTweakDefinition(const std::string& definition);

} // namespace Velmora::Debug
