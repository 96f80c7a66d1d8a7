#pragma once
// Number <-> text conversions of the dialogs and reports. Locale-free: scores
// are written with three decimals by truncation and read digit by digit.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zenphal {

// Appends the decimal digits of v: no leading zeros, a minus sign when
// negative.
void AppendShortDecimal(int16_t v, std::string& text);

// Appends a score: "0" for zero, whole numbers without a point ("2"), others
// with exactly three truncated decimals taken from the single-precision value
// ("2.500", "0.699" for 0.7f). Negative scores get a minus sign before the
// text of their magnitude.
void AppendScoreText(float v, std::string& text);

// Reads a score the way the dialogs always have: integer digits up to the
// first '.', then fraction digits up to the first space, each digit taken as
// (code - 48) without any check; the fraction is scaled by the float 0.1 once
// per digit in double precision. Callers check the text first with
// IsScoreText; the result is stored as a float.
float ParseScoreText(std::string_view s);

// A non-negative decimal number as users type it: digits with at most one
// '.', at least one digit, at most nine digits before and after the point.
// Surrounding white space is not allowed here; use TrimScoreText first.
bool IsScoreText(std::string_view s);

// The text without leading and trailing white space.
std::string_view TrimScoreText(std::string_view s);

// Trims, checks and reads a score field; nullopt when it is not a score.
std::optional<float> ReadScoreField(std::string_view s);

// The double nearest the float's shortest decimal text: written to JSON it
// prints as that short text ("0.1", not "0.100000001490116") and reads back,
// as a float, to the same float.
double ShortestDecimalOf(float value);

// That short text itself: "2", "0.1", "1.5".
std::string ShortestDecimalText(float value);

}  // namespace zenphal
