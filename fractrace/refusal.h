// The one-line messages with which the plotter stops before any motion.
#pragma once

#include <cstdio>

namespace fractrace {

// Prints "\n\n<subject> <problem>. Program terminated.\n" and one more line end.
void refuse(std::FILE* out, const char* subject, const char* problem);

}  // namespace fractrace
