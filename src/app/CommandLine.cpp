#include "app/CommandLine.h"

namespace Velmora::App {

namespace {

// The word after an option that needs one; sets the error when there is none.
bool TakeValue(int argc, const char* const* argv, int& i, std::string& value, CommandLine& line) {
    if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        line.mError = std::string(argv[i]) + " needs a file name";
        return false;
    }
    value = argv[++i];
    return true;
}

} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc && line.mError.empty(); ++i) {
        const std::string option = argv[i];
        if (line.mVerifyMode && option.rfind("--", 0) != 0) {
            line.mVerify.push_back(option);
        } else if (option == "--record") {
            TakeValue(argc, argv, i, line.mRecord, line);
        } else if (option == "--replay") {
            TakeValue(argc, argv, i, line.mReplay, line);
        } else if (option == "--verify") {
            line.mVerifyMode = true;
        } else if (option == "--help" || option == "-h") {
            line.mHelp = true;
        } else {
            line.mError = "unknown option " + option;
        }
    }
    if (!line.mError.empty()) return line;
    if (line.mVerifyMode && line.mVerify.empty()) line.mError = "--verify needs at least one file";
    if (line.mVerifyMode && !line.mReplay.empty()) line.mError = "--replay and --verify do not go together";
    return line;
}

const char* UsageText() {
    return "Usage: velmora [--record FILE] [--replay FILE] [--verify FILE...]\n"
           "  --record FILE     also write each finished level's recorded run to FILE\n"
           "  --replay FILE     play a recorded run on screen (Escape opens the menu)\n"
           "  --verify FILE...  play recorded runs without a window and print how each ends;\n"
           "                    exits 1 when one ends otherwise than recorded\n";
}

} // namespace Velmora::App
