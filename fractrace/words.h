// Reading the operator's answers and the calibration file word by word, and
// turning a word into a number only when the whole word is one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace fractrace {

// Skips whitespace (line ends included) and returns the next word, of any
// length; nothing at end of input.
std::optional<std::string> readWord(std::FILE* in);

enum class NumberStatus { ok, notANumber, outOfRange };

template <typename T>
struct Parsed {
  NumberStatus status;
  T value;
};

// A whole word as a 32-bit decimal integer: optional sign, then digits only.
Parsed<int32_t> parseInt32(std::string_view word);

// A whole word as a decimal real with a decimal point, whatever the locale:
// optional sign, digits with an optional fraction, optional exponent. A value
// beyond the double range reads as an infinity, as the C library would read it.
Parsed<double> parseReal(std::string_view word);

}  // namespace fractrace
