// Reading one named number from the operator or the calibration file, with
// the refusal message when the word there is no usable value.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

namespace fractrace {

// The next word of in as a 32-bit integer. Otherwise prints the refusal for
// `field` to out ("<field> <missing>" when input has ended) and returns nothing.
std::optional<int32_t> readIntegerField(std::FILE* in, std::FILE* out, const char* field,
                                        const char* missing);

// The same for a real number (an overflowing one reads as an infinity).
std::optional<double> readRealField(std::FILE* in, std::FILE* out, const char* field,
                                    const char* missing);

}  // namespace fractrace
