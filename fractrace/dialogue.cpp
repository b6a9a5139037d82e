// Prompts, checks of the typed values, summary and confirmation.
#include "dialogue.h"

#include <cmath>
#include <optional>
#include <string>

#include "refusal.h"
#include "words.h"

namespace fractrace {
namespace {

// Shows the prompt before waiting for the answer.
std::optional<std::string> ask(std::FILE* in, std::FILE* out, const char* prompt) {
  std::fputs(prompt, out);
  std::fflush(out);
  return readWord(in);
}

std::optional<int32_t> askInteger(std::FILE* in, std::FILE* out, const char* prompt,
                                  const char* field) {
  const auto word = ask(in, out, prompt);
  if (!word) {
    refuse(out, field, "missing at end of input");
    return std::nullopt;
  }
  const auto parsed = parseInt32(*word);
  if (parsed.status == NumberStatus::notANumber) {
    refuse(out, field, "not a whole number");
    return std::nullopt;
  }
  if (parsed.status == NumberStatus::outOfRange) {
    refuse(out, field, "out of range");
    return std::nullopt;
  }
  return parsed.value;
}

std::optional<double> askReal(std::FILE* in, std::FILE* out, const char* prompt,
                              const char* field) {
  const auto word = ask(in, out, prompt);
  if (!word) {
    refuse(out, field, "missing at end of input");
    return std::nullopt;
  }
  const auto parsed = parseReal(*word);
  if (parsed.status != NumberStatus::ok) {
    refuse(out, field, "not a number");
    return std::nullopt;
  }
  if (!std::isfinite(parsed.value)) {
    refuse(out, field, "not a finite number");
    return std::nullopt;
  }
  return parsed.value;
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

  const auto answer = ask(in, out, "\nStart milling or plotting (Y/n return)? ");
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
