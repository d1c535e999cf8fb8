#pragma once
// Text rules the stored files depend on: blank trimming, reading numbers
// out of text, rounding them to 16- and 32-bit integers, and the two
// decimal formats the program writes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pakkon {

// Removes ASCII blanks (0x20 only) at both ends.
std::string fncTrim(std::string_view s);

// The longest leading numeric part (blanks, sign, digits, one point,
// exponent); 0 when there is none.
double fncVal(std::string_view s);

// True when the whole text, blanks around it allowed, is one decimal number.
bool fncIsNumeric(std::string_view s);

// Round half to even, saturating at the type's limits.
int16_t fncCInt(double v);
int32_t fncCLng(double v);

// "True"/"False" in any case, or a number (0 is false); nullopt otherwise.
std::optional<bool> fncCBool(std::string_view s);

// Plain signed decimal ("12", "-3").
std::string fncStr(long long v);

// Decimal with a blank reserved for the sign (" 3", "-3").
std::string fncStrSigned(long long v);

// Lower-case ASCII copy, for name comparisons.
std::string fncLowerAscii(std::string_view s);

// " Ver 1.1.0" for 1, 1, 0.
std::string fncVersion_text(int major, int minor, int revision);

}  // namespace pakkon
