// One reader for every numeric field, so all of them are refused alike.
#include "fields.h"

#include "refusal.h"
#include "words.h"

namespace fractrace {
namespace {

template <typename T, typename Parse>
std::optional<T> readField(std::FILE* in, std::FILE* out, const char* field, const char* missing,
                           Parse parse, const char* notANumber) {
  const auto word = readWord(in);
  if (!word) {
    refuse(out, field, missing);
    return std::nullopt;
  }
  const Parsed<T> parsed = parse(*word);
  switch (parsed.status) {
    case NumberStatus::ok: return parsed.value;
    case NumberStatus::notANumber: refuse(out, field, notANumber); break;
    case NumberStatus::outOfRange: refuse(out, field, "out of range"); break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int32_t> readIntegerField(std::FILE* in, std::FILE* out, const char* field,
                                        const char* missing) {
  return readField<int32_t>(in, out, field, missing, parseInt32, "not a whole number");
}

std::optional<double> readRealField(std::FILE* in, std::FILE* out, const char* field,
                                    const char* missing) {
  return readField<double>(in, out, field, missing, parseReal, "not a number");
}

}  // namespace fractrace
