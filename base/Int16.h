// 16-bit signed arithmetic as the program's counters and positions use it:
// every result outside -32768..32767 raises run-time error 6 (Overflow).
#pragma once
#include <cstdint>

namespace base {

// Converts a wider value to 16 bits, raising 6 when it does not fit.
int16_t ToInt16(long long value);

int16_t Add16(int16_t a, int16_t b);
int16_t Sub16(int16_t a, int16_t b);
int16_t Mul16(int16_t a, int16_t b);
// Integer division truncating toward zero; 11 (Division by zero) when b is 0.
int16_t Div16(int16_t a, int16_t b);

}  // namespace base
