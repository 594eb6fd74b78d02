#pragma once

#include <string>
#include <vector>

namespace Velmora::AudioGen {

/// One note of a written phrase; times in beats from the phrase's start.
struct PhraseNote {
    double mBeat;
    double mLength;
    double mPitch;  ///< MIDI note number
    double mAccent; ///< velocity factor (1 normal, 1.25 accented with '!', 0.7 ghost with '?')
    double mScoop;  ///< semitones the note slides up into its pitch ('~' gives 1, '~~' gives 2)
    bool mStaccato; ///< '.' shortens the sounding note to half its written length
};

/// Chord symbol resolved into MIDI pitches.
struct Chord {
    int mRoot;                   ///< pitch class 0 (C) … 11 (B)
    std::vector<int> mIntervals; ///< semitones above the root, ascending, root included
    std::vector<int> mColours;   ///< the rootless jazz voicing: 3rd, 7th and tensions
};

/// The small text notation the songs are written in.
///
/// A phrase is a list of tokens separated by blanks or '|' bar lines (which must fall on
/// multiples of four beats). A token is a note name
/// with octave ("C4", "Eb3", "F#5"; C4 = MIDI 60) or "r" for a rest, optional marks
/// ('!' accent, '?' ghost, '~' scoop up into the note, '.' staccato), and ":length" in beats
/// ("1", "0.5", "1/3", "3/2"). A token without a length repeats the previous length.
/// Example: "r:1 A4:0.5 C5 D5~:2 | E5!.:1 r:3".
class Notation {
public:
    /// Parses a note name such as "Bb3" into a MIDI number; returns false when malformed.
    static bool ParsePitch(const std::string& name, int& pitch);
    /// Parses a whole phrase; a malformed token aborts the program with a message naming it,
    /// since the phrases are part of the generator's source.
    static std::vector<PhraseNote> ParsePhrase(const std::string& text);
    /// Total written length of a phrase in beats.
    static double PhraseLength(const std::vector<PhraseNote>& notes);

    /// Parses a chord symbol: root ("C", "Eb", "F#") then a quality from "", "m", "6", "m6",
    /// "7", "m7", "maj7", "9", "m9", "13", "7b9", "7#9", "m7b5", "dim7", "sus4", "7sus4".
    static Chord ParseChord(const std::string& symbol);
    /// Parses one bar of chords separated by blanks ("Gm7 C7b9"); they share the bar equally.
    static std::vector<Chord> ParseBar(const std::string& text);
    /// Pitches of the chord's intervals (or colours when rootless), placed by choosing the
    /// inversion and octave whose average pitch lies nearest to centre, for smooth voice leading.
    static std::vector<int> Voice(const Chord& chord, double centre, bool rootless);
    /// The chord's root as a MIDI pitch in the octave starting at lowest.
    static int RootAtOrAbove(const Chord& chord, int lowest);
};

} // namespace Velmora::AudioGen
