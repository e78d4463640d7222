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

int16_t ParseInt16(const std::wstring& text) {
    size_t pos = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == L'+' || text[0] == L'-')) {
        negative = text[0] == L'-';
        pos = 1;
    }
    if (pos == text.size()) throw RunError(err::TypeMismatch);
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        const wchar_t c = text[pos];
        if (c < L'0' || c > L'9') throw RunError(err::TypeMismatch);
        // Beyond 16 bits already; stop growing so long digit strings cannot wrap.
        if (value <= 100000) value = value * 10 + (c - L'0');
    }
    return ToInt16(negative ? -value : value);
}

}  // namespace base
