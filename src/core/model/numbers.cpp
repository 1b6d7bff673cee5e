#include "model/numbers.h"

#include <cmath>
#include <cstdio>

namespace vargo {

std::optional<Int16> checkedAdd(Int16 a, long long b) {
    long long sum = static_cast<long long>(a) + b;
    if (!fitsInt16(sum)) {
        return std::nullopt;
    }
    return static_cast<Int16>(sum);
}

bool addSkip(Int16& acc, long long b) {
    if (auto sum = checkedAdd(acc, b)) {
        acc = *sum;
        return true;
    }
    return false;
}

void addOrThrow(Int16& acc, long long b) {
    auto sum = checkedAdd(acc, b);
    if (!sum) {
        throw OverflowError("16-bit overflow: " + std::to_string(acc) + " + " + std::to_string(b));
    }
    acc = *sum;
}

void addClamped(Int16& acc, long long b, int lo, int hi) {
    long long sum = static_cast<long long>(acc) + b;
    if (sum < lo) {
        sum = lo;
    }
    if (sum > hi) {
        sum = hi;
    }
    acc = static_cast<Int16>(sum);
}

long long roundHalfEven(double x) {
    double r = std::nearbyint(x);  // the default rounding mode is to nearest, ties to even
    return static_cast<long long>(r);
}

Int16 CInt(double x) {
    if (!std::isfinite(x) || x >= 32767.5 || x < -32768.5) {
        throw OverflowError("number outside 16 bits");
    }
    long long r = roundHalfEven(x);
    if (!fitsInt16(r)) {
        throw OverflowError("number outside 16 bits");
    }
    return static_cast<Int16>(r);
}

long long Int(double x) {
    return static_cast<long long>(std::floor(x));
}

std::string Str(long long n) {
    std::string s = std::to_string(n);
    if (n >= 0) {
        s.insert(s.begin(), ' ');
    }
    return s;
}

std::string Str(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", x);
    std::string s = buf;
    if (s.rfind("0.", 0) == 0) {
        s.erase(0, 1);  // the game writes ".5", not "0.5"
    } else if (s.rfind("-0.", 0) == 0) {
        s.erase(1, 1);
    }
    if (x >= 0) {
        s.insert(s.begin(), ' ');
    }
    return s;
}

// Both tests always run and the later one wins, which is what decides the odd cases
// (a negative max, or lo above hi).
int clampMax(int x, int max) {
    int r = x;
    if (x < 0) {
        r = 0;
    }
    if (x > max) {
        r = max;
    }
    return r;
}

int clampRange(int x, int lo, int hi) {
    int r = x;
    if (x < lo) {
        r = lo;
    }
    if (x > hi) {
        r = hi;
    }
    return r;
}

std::string joinNumbers(std::initializer_list<long long> values) {
    std::string s;
    for (long long v : values) {
        if (!s.empty()) {
            s += ',';
        }
        s += std::to_string(v);
    }
    return s;
}

}  // namespace vargo
