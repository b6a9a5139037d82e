// libFuzzer target over everything the plotter reads: the bytes up to the first
// 0x00 are the calibration file, the rest is what the operator types. Whatever
// they hold, the plotter must refuse with a message, be declined, or accept
// values with which the run is defined; nothing in between.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calibration.h"
#include "dialogue.h"
#include "dragon_path.h"
#include "null_board.h"
#include "plot_run.h"
#include "segment_stepper.h"

namespace {

using namespace fractrace;

constexpr std::string_view REFUSAL_END = ". Program terminated.\n\n";
constexpr std::string_view DECLINE_END = "\n\nProgram terminated.\n\n";
constexpr std::string_view CONFIRM_PROMPT = "\nStart milling or plotting (Y/n return)? ";

// Moves up to this many steps are also driven through a short run; longer ones
// would only spend the fuzzer's time in the pulse loop.
constexpr double MAX_DRIVEN_STEPS = 1000.0;

[[noreturn]] void fail(const char* what, std::string_view console) {
  std::fprintf(stderr, "broken outcome: %s\nconsole: [%.*s]\n", what,
               static_cast<int>(console.size()), console.data());
  std::abort();
}

void check(bool ok, const char* what, std::string_view console) {
  if (!ok) fail(what, console);
}

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Console text written to a growing memory buffer.
class Console {
 public:
  Console() : file_(open_memstream(&buffer_, &size_)) {
    if (file_ == nullptr) std::abort();
  }
  ~Console() {
    std::fclose(file_);
    std::free(buffer_);
  }
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  std::FILE* file() { return file_; }
  std::string_view text() {
    std::fflush(file_);
    return {buffer_, size_};
  }

 private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

// An input stream over bytes; an empty one reads from /dev/null, since not every
// C library's fmemopen takes a buffer of size 0.
std::FILE* openBytes(const uint8_t* data, std::size_t size) {
  if (size == 0) return std::fopen("/dev/null", "r");
  return fmemopen(const_cast<uint8_t*>(data), size, "r");
}

void checkAxis(const AxisCalibration& axis, std::string_view console) {
  check(axis.dir == 0 || axis.dir == 1, "polarity not 0 or 1", console);
  check(std::isfinite(axis.mm) && axis.mm != 0.0, "mm zero or not finite", console);
  check(std::isfinite(stepsPerMm(axis)), "steps per mm not finite", console);
}

void checkAccepted(const Calibration& cal, const PlotParameters& p, std::string_view console) {
  checkAxis(cal.x, console);
  checkAxis(cal.y, console);
  check(std::isfinite(p.c), "c not finite", console);
  check(p.delay >= 0, "negative delay", console);
  const double d = p.c + p.c;
  const double movex = std::fabs(stepsPerMm(cal.x) * d);
  const double movey = std::fabs(stepsPerMm(cal.y) * d);
  check(movex <= MAX_MOVE_STEPS && movey <= MAX_MOVE_STEPS, "move beyond 32-bit steps", console);

  const auto m = iterationCount(p.n);
  check(!m || *m <= 0 || (*m & (*m - 1)) == 0, "iteration count not a power of two", console);

  // One move along each axis on the do-nothing board: the stepper must stay defined.
  SegmentStepper stepper = setUp(cal.x, cal.y, p.delay);
  if (movex <= MAX_DRIVEN_STEPS && movey <= MAX_DRIVEN_STEPS) {
    moveTo(stepper, d, 0.0);
    moveTo(stepper, d, d);
    check(std::isfinite(stepper.position.xs) && std::isfinite(stepper.position.ys),
          "bookkept position not finite", console);
    // A short run of the same curve: order at most -1, sixteen iterations.
    std::FILE* sink = std::fopen("/dev/null", "w");
    if (sink == nullptr) std::abort();
    runPlot(p.n < -1 ? p.n : -1, p.c, cal.x, cal.y, p.delay, sink);
    std::fclose(sink);
  }
}

void fuzzOne(const uint8_t* data, std::size_t size) {
  const auto* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  const std::size_t fileSize = split ? static_cast<std::size_t>(split - data) : size;
  const uint8_t* typed = split ? split + 1 : data + size;
  const std::size_t typedSize = size - fileSize - (split ? 1 : 0);

  std::FILE* file = openBytes(data, fileSize);
  std::FILE* in = openBytes(typed, typedSize);
  if (file == nullptr || in == nullptr) std::abort();

  // Reading and the dialogue never move the machine, whatever they end in.
  const uint64_t pulsesBefore = null_board::stepPulses();
  Console calibrationConsole;
  const auto calibration = readCalibration(file, calibrationConsole.file());
  const std::string_view fileText = calibrationConsole.text();
  if (!calibration) {
    check(endsWith(fileText, REFUSAL_END), "calibration refused without its message", fileText);
  } else {
    check(fileText.empty(), "accepted calibration printed something", fileText);
    Console console;
    const DialogueResult result = holdDialogue(in, console.file(), *calibration);
    const std::string_view text = console.text();
    check(null_board::stepPulses() == pulsesBefore, "a pulse before the go-ahead", text);
    switch (result.answer) {
      case Answer::refused:
        check(endsWith(text, REFUSAL_END) && !endsWith(text, DECLINE_END),
              "typed value refused without its message", text);
        break;
      case Answer::declined:
        check(endsWith(text, std::string(CONFIRM_PROMPT) + std::string(DECLINE_END)),
              "decline without the prompt and its closing line", text);
        break;
      case Answer::accepted:
        check(endsWith(text, CONFIRM_PROMPT), "accepted without the confirmation prompt", text);
        checkAccepted(*calibration, result.parameters, text);
        break;
    }
  }
  std::fclose(in);
  std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzzOne(data, size);
  return 0;
}
