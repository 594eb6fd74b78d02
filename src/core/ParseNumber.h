#pragma once

namespace Velmora {

/// Reads a base-10 signed integer from the start of a text the way strtol does: leading blanks
/// and a sign are accepted, reading stops at the first character that is not a digit ("12abc"
/// gives 12, "abc" gives 0). Values beyond the int range are clamped to it. Null gives 0.
int ParseInteger(const char* text);

/// Reads a decimal floating number from the start of a text the way strtod does ("1e3" gives
/// 1000, "2.5m" gives 2.5, "abc" gives 0), independently of the C locale. Numbers that are not
/// finite or out of the double range ("nan", "inf", "1e999") give 0, so data files cannot feed
/// NaN or infinity into positions and speeds. Null gives 0.
double ParseDouble(const char* text);

/// False when the text starts with a number that ParseDouble turns into 0 for not being finite
/// ("nan", "-inf", "1e999"); true for every other text, numbers or not. Lets a reader refuse such
/// values instead of taking them as 0.
bool IsFiniteNumber(const char* text);

} // namespace Velmora
