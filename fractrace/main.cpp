// fractrace: plots or mills a dragon curve from the calibration in
// "stepcfg2.txt" and a short operator dialogue.
#include <cstdio>

#include "board_outputs.h"
#include "calibration.h"
#include "dialogue.h"
#include "plot_run.h"

int main() {
  using namespace fractrace;
  board::powerUp();

  // Early stops leave the board as power-up left it and the file to the process end.
  std::FILE* file = std::fopen(CALIBRATION_FILE, "r");
  if (file == nullptr) {
    std::printf("File %s not found.\n", CALIBRATION_FILE);
    return 1;
  }
  const auto calibration = readCalibration(file, stdout);
  if (!calibration) return 1;

  const DialogueResult dialogue = holdDialogue(stdin, stdout, *calibration);
  if (dialogue.answer == Answer::refused) return 1;
  if (dialogue.answer == Answer::declined) return 0;

  const PlotParameters& p = dialogue.parameters;
  runPlot(p.n, p.c, calibration->x, calibration->y, p.delay, stdout);
  board::powerDown();
  std::printf("\n%12.5lf\n", 0.0);
  std::fclose(file);
  return 0;
}
