#pragma once

#include <string>
#include <vector>

namespace Velmora::App {

/// The program's options.
struct CommandLine {
    std::string mRecord;              ///< --record FILE: each finished level's run also goes here
    std::string mReplay;              ///< --replay FILE: play a recorded run on screen
    std::vector<std::string> mVerify; ///< --verify FILE...: play recorded runs headless
    bool mVerifyMode = false;
    bool mHelp = false; ///< --help
    std::string mError; ///< set when the options do not read; one line
};

/// Reads the options (argv[0] is the program). Unknown options, a missing file name, or
/// --replay and --verify together are errors.
CommandLine ParseCommandLine(int argc, const char* const* argv);

/// The usage text printed by --help and after an option error.
const char* UsageText();

} // namespace Velmora::App
