// The three entries of the board maker's library K8055D.DLL, bound by ordinal
// through board_library.def when the program is loaded (names are our own).
#pragma once

#include <cstdint>

#include <windows.h>

extern "C" {

// Ordinal 24: opens the board at a card address; later output calls act on it.
__declspec(dllimport) void WINAPI boardLibraryOpen(int32_t cardAddress);
// Ordinal 13: switches output 1..8 on.
__declspec(dllimport) void WINAPI boardLibrarySetOutput(int32_t output);
// Ordinal 11: switches output 1..8 off.
__declspec(dllimport) void WINAPI boardLibraryClearOutput(int32_t output);

}  // extern "C"
