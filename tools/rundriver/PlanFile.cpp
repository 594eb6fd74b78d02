#include "PlanFile.h"

#include <fstream>
#include <sstream>

namespace Velmora::Tools {

namespace {

struct Verb {
    const char* mName;
    PlanStep::Kind mKind;
    int mArguments; // how many whole numbers follow the verb
};

constexpr Verb kVerbs[] = {
    {"go", PlanStep::kGo, 2},     {"run", PlanStep::kRun, 2},     {"pick", PlanStep::kPick, 2},
    {"wait", PlanStep::kWait, 1}, {"shoot", PlanStep::kShoot, 3}, {"exit", PlanStep::kExit, 0},
};

// A whole number of at most six digits, not negative: a cell or a tick count.
bool ReadCount(const std::string& word, int& value) {
    if (word.empty() || word.size() > 6 || word.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoi(word);
    return true;
}

// One line that is not blank or a comment; the reason in `error` when it cannot be read.
bool ParseLine(std::istringstream& words, PlanStep& step, std::string& error) {
    std::string name;
    words >> name;
    const Verb* verb = nullptr;
    for (const Verb& candidate : kVerbs) {
        if (name == candidate.mName) verb = &candidate;
    }
    if (!verb) {
        error = "unknown step \"" + name + "\"";
        return false;
    }
    step.mKind = verb->mKind;
    int values[3] = {0, 0, 0};
    std::string word;
    int count = 0;
    while (words >> word) {
        if (count == verb->mArguments) {
            error = std::string(verb->mName) + " takes " + std::to_string(verb->mArguments) + " numbers";
            return false;
        }
        if (!ReadCount(word, values[count])) {
            error = "\"" + word + "\" is not a whole number from 0 to 999999";
            return false;
        }
        ++count;
    }
    if (count != verb->mArguments) {
        error = std::string(verb->mName) + " takes " + std::to_string(verb->mArguments) + " numbers";
        return false;
    }
    if (step.mKind == PlanStep::kWait) {
        step.mTicks = values[0];
    } else {
        step.mX = values[0];
        step.mY = values[1];
        step.mTicks = values[2];
    }
    return true;
}

} // namespace

bool PlanFile::Read(const std::string& path, std::string& error) {
    error.clear();
    std::ifstream file(path);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), path, error);
}

bool PlanFile::Parse(const std::string& text, const std::string& name, std::string& error) {
    mSteps.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#') continue;
        words.seekg(0);
        PlanStep step;
        step.mLine = number;
        std::string reason;
        if (!ParseLine(words, step, reason)) {
            error = name + ":" + std::to_string(number) + ": " + reason;
            mSteps.clear();
            return false;
        }
        mSteps.push_back(step);
    }
    if (mSteps.empty() || mSteps.back().mKind != PlanStep::kExit) mSteps.push_back(PlanStep{});
    return true;
}

} // namespace Velmora::Tools
