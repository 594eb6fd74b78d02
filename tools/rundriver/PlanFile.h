#pragma once

#include <string>
#include <vector>

namespace Velmora::Tools {

/// One line of a plan.
struct PlanStep {
    enum Kind {
        kGo,    ///< walk to (x, y), holding still while the way ahead is in a guard's sight
        kRun,   ///< walk to (x, y) without looking at the guards
        kWait,  ///< stand still `ticks` ticks
        kShoot, ///< face (x, y), hold fire `ticks` ticks, let go, wait for the reload
        kPick,  ///< walk (as kGo) onto (x, y) to take what lies there
        kExit,  ///< walk (as kGo) to the nearest exit cell
    };
    Kind mKind = kExit;
    int mX = 0;
    int mY = 0;
    int mTicks = 0;
    int mLine = 0; ///< where it was written, for messages
};

/// A level's plan for the scripted player: a text file of steps, one a line, run in order
/// before the walk to the exit. Blank lines and lines starting with `#` are skipped; every
/// other line is a verb and its whole-number arguments:
///     go X Y | run X Y | pick X Y | wait N | shoot X Y C | exit
/// Cells are the level's own cell numbers; N and C are ticks (60 a second).
class PlanFile {
public:
    /// Reads the file at `path`. False when it cannot be opened (`error` then stays empty) or
    /// when a line cannot be read (`error` then reads "PATH:LINE: reason").
    bool Read(const std::string& path, std::string& error);
    /// Reads plan text; `name` stands for the file in messages.
    bool Parse(const std::string& text, const std::string& name, std::string& error);

    /// The steps in file order, ending with an exit step (added when the file has none last).
    const std::vector<PlanStep>& GetSteps() const { return mSteps; }

private:
    std::vector<PlanStep> mSteps;
};

} // namespace Velmora::Tools
