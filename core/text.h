// Numbers as text: the game keeps every number as decimal text, and these two helpers are the
// only place where text becomes a number or a number becomes text.
#pragma once

#include <string>
#include <string_view>

namespace morvath {

// The number at the start of the text: leading blanks skipped, an optional sign, digits with an
// optional decimal point and exponent; reading stops at the first character that cannot continue
// the number. Text without a leading number gives 0. The result is always finite.
double Val(std::string_view text);

// The shortest decimal text of the number with at most 15 significant digits: no trailing zeros,
// no decimal point for whole numbers, "-0" written as "0". Non-finite numbers never reach the
// game's fields: infinities are written as the largest finite number, NaN as "0".
std::string Str(double number);

// True when the text, blanks aside, is exactly one number and nothing else.
bool IsNumber(std::string_view text);

}  // namespace morvath
