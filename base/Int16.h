// 16-bit signed arithmetic as the program's counters and positions use it:
// every result outside -32768..32767 raises run-time error 6 (Overflow).
#pragma once
#include <cstdint>
#include <string>

namespace base {

// Converts a wider value to 16 bits, raising 6 when it does not fit.
int16_t ToInt16(long long value);

int16_t Add16(int16_t a, int16_t b);
int16_t Sub16(int16_t a, int16_t b);
int16_t Mul16(int16_t a, int16_t b);
// Integer division truncating toward zero; 11 (Division by zero) when b is 0.
int16_t Div16(int16_t a, int16_t b);

// A whole number written as an optional sign ('+' or '-') followed by one or
// more ASCII digits, nothing else: no blanks, no decimal point. Raises 13
// (Type mismatch) for another shape, the empty text included, and 6 when the
// value does not fit in 16 bits.
int16_t ParseInt16(const std::wstring& text);

}  // namespace base
