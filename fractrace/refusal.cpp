// Refusal messages, all in the style of the plotter's own early stops.
#include "refusal.h"

namespace fractrace {

void refuse(std::FILE* out, const char* subject, const char* problem) {
  std::fprintf(out, "\n\n%s %s. Program terminated.\n\n", subject, problem);
}

}  // namespace fractrace
