#include "Notation.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <sstream>

namespace Velmora::AudioGen {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& token) {
    std::fprintf(stderr, "audiogen: bad %s '%s'\n", what.c_str(), token.c_str());
    std::exit(2);
}

int LetterClass(char letter) {
    switch (letter) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        case 'B':
            return 11;
        default:
            return -1;
    }
}

/// Reads a root letter with an optional accidental at text[pos]; returns the pitch class.
int ReadRoot(const std::string& text, size_t& pos) {
    if (pos >= text.size() || LetterClass(text[pos]) < 0) {
        return -1;
    }
    int pitchClass = LetterClass(text[pos++]);
    if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
        pitchClass += text[pos++] == '#' ? 1 : -1;
    }
    return (pitchClass + 12) % 12;
}

bool ParseLength(const std::string& text, double& length) {
    char* end = nullptr;
    const double numerator = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) {
        return false;
    }
    if (*end == '/') {
        const char* denominatorText = end + 1;
        const double denominator = std::strtod(denominatorText, &end);
        if (end == denominatorText || denominator <= 0.0) {
            return false;
        }
        length = numerator / denominator;
    } else {
        length = numerator;
    }
    return *end == '\0' && length > 0.0;
}

/// Applies the marks between the note name and the ':' to note.
bool ReadMarks(const std::string& marks, PhraseNote& note) {
    for (const char mark : marks) {
        switch (mark) {
            case '!':
                note.mAccent = 1.25;
                break;
            case '?':
                note.mAccent = 0.7;
                break;
            case '~':
                note.mScoop += 1.0;
                break;
            case '.':
                note.mStaccato = true;
                break;
            default:
                return false;
        }
    }
    return true;
}

struct Quality {
    std::vector<int> intervals;
    std::vector<int> colours;
};

const std::map<std::string, Quality>& Qualities() {
    static const std::map<std::string, Quality> table = {
        {"", {{0, 4, 7}, {4, 7, 12}}},
        {"m", {{0, 3, 7}, {3, 7, 12}}},
        {"6", {{0, 4, 7, 9}, {4, 7, 9, 14}}},
        {"m6", {{0, 3, 7, 9}, {3, 7, 9, 14}}},
        {"7", {{0, 4, 7, 10}, {4, 9, 10, 14}}},
        {"m7", {{0, 3, 7, 10}, {3, 7, 10, 14}}},
        {"maj7", {{0, 4, 7, 11}, {4, 7, 11, 14}}},
        {"9", {{0, 4, 7, 10, 14}, {4, 7, 10, 14}}},
        {"m9", {{0, 3, 7, 10, 14}, {3, 10, 14, 19}}},
        {"13", {{0, 4, 7, 10, 21}, {4, 10, 14, 21}}},
        {"7b9", {{0, 4, 7, 10, 13}, {4, 10, 13, 19}}},
        {"7#9", {{0, 4, 7, 10, 15}, {4, 10, 15, 19}}},
        {"m7b5", {{0, 3, 6, 10}, {3, 6, 10, 12}}},
        {"dim7", {{0, 3, 6, 9}, {3, 6, 9, 12}}},
        {"sus4", {{0, 5, 7}, {5, 7, 12}}},
        {"7sus4", {{0, 5, 7, 10}, {5, 10, 14, 19}}},
    };
    return table;
}

} // namespace

bool Notation::ParsePitch(const std::string& name, int& pitch) {
    size_t pos = 0;
    const int pitchClass = ReadRoot(name, pos);
    if (pitchClass < 0 || pos >= name.size()) {
        return false;
    }
    // "Cb4" and "B#3" cross the octave boundary; compute from the letter's own octave.
    const int letter = LetterClass(name[0]);
    const int shift = pitchClass - letter;
    const int accidental = shift > 6 ? shift - 12 : (shift < -6 ? shift + 12 : shift);
    int octave = 0;
    for (; pos < name.size(); ++pos) {
        if (!std::isdigit(static_cast<unsigned char>(name[pos]))) {
            return false;
        }
        octave = octave * 10 + (name[pos] - '0');
    }
    pitch = 12 * (octave + 1) + letter + accidental;
    return true;
}

std::vector<PhraseNote> Notation::ParsePhrase(const std::string& text) {
    std::vector<PhraseNote> notes;
    std::istringstream stream(text);
    std::string token;
    double beat = 0.0;
    double length = 1.0;
    while (stream >> token) {
        if (token == "|") {
            // Bar lines are checked, so a miscounted bar is caught where it is written.
            if (std::fabs(beat / 4.0 - std::round(beat / 4.0)) > 1e-6) {
                Fail("bar line at beat " + std::to_string(beat) + " in phrase", text.substr(0, 60));
            }
            continue;
        }
        const size_t colon = token.find(':');
        const std::string head = token.substr(0, colon);
        if (colon != std::string::npos && !ParseLength(token.substr(colon + 1), length)) {
            Fail("length", token);
        }
        if (head == "r") {
            beat += length;
            continue;
        }
        size_t nameEnd = 0;
        while (nameEnd < head.size() && std::string("!?~.").find(head[nameEnd]) == std::string::npos) {
            ++nameEnd;
        }
        PhraseNote note{beat, length, 0.0, 1.0, 0.0, false};
        int pitch = 0;
        if (!ParsePitch(head.substr(0, nameEnd), pitch) || !ReadMarks(head.substr(nameEnd), note)) {
            Fail("note", token);
        }
        note.mPitch = pitch;
        notes.push_back(note);
        beat += length;
    }
    return notes;
}

double Notation::PhraseLength(const std::vector<PhraseNote>& notes) {
    return notes.empty() ? 0.0 : notes.back().mBeat + notes.back().mLength;
}

Chord Notation::ParseChord(const std::string& symbol) {
    size_t pos = 0;
    const int root = ReadRoot(symbol, pos);
    const auto quality = Qualities().find(symbol.substr(pos < symbol.size() ? pos : symbol.size()));
    if (root < 0 || quality == Qualities().end()) {
        Fail("chord", symbol);
    }
    return Chord{root, quality->second.intervals, quality->second.colours};
}

std::vector<Chord> Notation::ParseBar(const std::string& text) {
    std::vector<Chord> chords;
    std::istringstream stream(text);
    std::string symbol;
    while (stream >> symbol) {
        chords.push_back(ParseChord(symbol));
    }
    if (chords.empty()) {
        Fail("bar", text);
    }
    return chords;
}

std::vector<int> Notation::Voice(const Chord& chord, double centre, bool rootless) {
    const std::vector<int>& set = rootless ? chord.mColours : chord.mIntervals;
    std::vector<int> best;
    double bestDistance = std::numeric_limits<double>::max();
    for (size_t inversion = 0; inversion < set.size(); ++inversion) {
        std::vector<int> voicing;
        for (size_t i = 0; i < set.size(); ++i) {
            const size_t k = (i + inversion) % set.size();
            voicing.push_back(set[k] + (k < inversion ? 12 : 0));
        }
        for (int octave = 2; octave <= 6; ++octave) {
            double mean = 0.0;
            for (const int interval : voicing) {
                mean += chord.mRoot + 12 * octave + interval;
            }
            mean /= static_cast<double>(voicing.size());
            if (std::fabs(mean - centre) < bestDistance) {
                bestDistance = std::fabs(mean - centre);
                best.clear();
                for (const int interval : voicing) {
                    best.push_back(chord.mRoot + 12 * octave + interval);
                }
            }
        }
    }
    return best;
}

int Notation::RootAtOrAbove(const Chord& chord, int lowest) {
    int pitch = lowest;
    while ((pitch % 12 + 12) % 12 != chord.mRoot) {
        ++pitch;
    }
    return pitch;
}

} // namespace Velmora::AudioGen
