#pragma once
// Game numbers are 16-bit signed: that is what the save files and catalogues hold. The game uses three
// behaviours when a sum leaves the range: report it, skip the step, or clamp; these helpers give
// each one a name so the call site says which it means.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>

namespace vargo {

using Int16 = std::int16_t;

constexpr int kInt16Max = 32767;
constexpr int kInt16Min = -32768;
constexpr int kMaxMoney = 32767;

/// Raised where a 16-bit overflow makes the whole operation fail (the caller says so and undoes it).
class OverflowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr bool fitsInt16(long long v) {
    return v >= kInt16Min && v <= kInt16Max;
}

/// The sum when it fits in 16 bits, nothing when it would overflow.
std::optional<Int16> checkedAdd(Int16 a, long long b);

/// Adds b onto acc unless the result would overflow; then acc keeps its value. Returns whether it added.
bool addSkip(Int16& acc, long long b);

/// Adds b onto acc, throwing OverflowError when the result leaves 16 bits.
void addOrThrow(Int16& acc, long long b);

/// Adds b onto acc and stops at lo..hi (money, experience, records).
void addClamped(Int16& acc, long long b, int lo = kInt16Min, int hi = kInt16Max);

/// Nearest integer with halves to the even neighbour (2.5 -> 2, 3.5 -> 4), as a wide integer.
long long roundHalfEven(double x);

/// CInt: nearest, halves to even, into 16 bits. Throws OverflowError outside the range.
Int16 CInt(double x);

/// Int: the integer part toward minus infinity (Int(-1.5) = -2).
long long Int(double x);

/// Str: a non-negative number with one leading blank, a negative one with its minus sign.
std::string Str(long long n);

/// The same for a real number, written the short way the game's labels show them (" 1.5", " 12").
std::string Str(double x);

/// clampMax(x, max): 0 below 0, max above max, else x; both tests run, the second wins.
int clampMax(int x, int max);
/// clampRange(x, lo, hi): lo below lo, hi above hi, else x; both tests run, the second wins.
int clampRange(int x, int lo, int hi);

/// "1,2,3": the comma-separated numbers of a data file's line.
std::string joinNumbers(std::initializer_list<long long> values);

}  // namespace vargo
