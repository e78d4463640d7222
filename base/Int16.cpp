#include "base/Int16.h"

#include <limits>

#include "base/RunError.h"

namespace base {

int16_t ToInt16(long long value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw RunError(err::Overflow);
    return static_cast<int16_t>(value);
}

int16_t Add16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) + b); }
int16_t Sub16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) - b); }
int16_t Mul16(int16_t a, int16_t b) { return ToInt16(static_cast<long long>(a) * b); }

int16_t Div16(int16_t a, int16_t b) {
    if (b == 0) throw RunError(err::DivisionByZero);
    return ToInt16(static_cast<long long>(a) / b);
}

}  // namespace base
