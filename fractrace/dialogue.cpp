// Prompts, checks of the typed values, summary and confirmation.
#include "dialogue.h"

#include <cmath>
#include <optional>
#include <string>

#include "fields.h"
#include "refusal.h"
#include "words.h"

namespace fractrace {
namespace {

constexpr const char* kMissing = "missing at end of input";

// Each prompt is shown before the program waits for its answer.
void prompt(std::FILE* out, const char* text) {
  std::fputs(text, out);
  std::fflush(out);
}

std::optional<int32_t> askInteger(std::FILE* in, std::FILE* out, const char* text,
                                  const char* field) {
  prompt(out, text);
  return readIntegerField(in, out, field, kMissing);
}

std::optional<double> askReal(std::FILE* in, std::FILE* out, const char* text,
                              const char* field) {
  prompt(out, text);
  const auto value = readRealField(in, out, field, kMissing);
  if (value && !std::isfinite(*value)) {
    refuse(out, field, "not a finite number");
    return std::nullopt;
  }
  return value;
}

bool moveFits(double c, const Calibration& calibration) {
  const double d = c + c;
  return std::fabs(stepsPerMm(calibration.x) * d) <= MAX_MOVE_STEPS &&
         std::fabs(stepsPerMm(calibration.y) * d) <= MAX_MOVE_STEPS;
}

void printSummary(std::FILE* out, const PlotParameters& p, const Calibration& cal) {
  std::fprintf(out, "Dragon curve order:  %6ld\n", static_cast<long>(p.n));
  std::fprintf(out, "c:                    %9.3lf mm\n", p.c);
  std::fprintf(out, "Stepper motor delay: %6ld delay units\n\n", static_cast<long>(p.delay));
  std::fprintf(out, "stepsx mmx dirx:     %6ld %9.3lf %3ld\n", static_cast<long>(cal.x.steps),
               cal.x.mm, static_cast<long>(cal.x.dir));
  std::fprintf(out, "stepsy mmy diry:     %6ld %9.3lf %3ld\n", static_cast<long>(cal.y.steps),
               cal.y.mm, static_cast<long>(cal.y.dir));
}

}  // namespace

DialogueResult holdDialogue(std::FILE* in, std::FILE* out, const Calibration& calibration) {
  DialogueResult result{Answer::refused, {}};
  PlotParameters& p = result.parameters;

  std::fputs("\nDragon Curve\n\n", out);
  const auto n = askInteger(in, out, "Input Dragon Curve order n (int 5): ", "n");
  if (!n) return result;
  p.n = *n;

  const auto c = askReal(in, out, "\nInput c (float 0.75 mm): ", "c");
  if (!c) return result;
  if (!moveFits(*c, calibration)) {
    refuse(out, "c", "too large for the calibration: one move would exceed 2147483645 steps");
    return result;
  }
  p.c = *c;

  const auto delay = askInteger(in, out, "\nInput stepper motor delay (int 0 ms): ", "delay");
  if (!delay) return result;
  if (*delay < 0) {
    refuse(out, "delay", "below 0");
    return result;
  }
  p.delay = *delay;

  std::fputs("\n\n", out);
  printSummary(out, p, calibration);

  prompt(out, "\nStart milling or plotting (Y/n return)? ");
  const auto answer = readWord(in);
  // Only the first character of the word counts; no word at all is a no.
  if (!answer || answer->front() != 'Y') {
    std::fputs("\n\nProgram terminated.\n\n", out);
    result.answer = Answer::declined;
    return result;
  }
  result.answer = Answer::accepted;
  return result;
}

}  // namespace fractrace
