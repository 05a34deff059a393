#include <windows.h>

#include <cstdlib>

#include "base/interrupts.h"

namespace quillon {

namespace {

volatile LONG g_noted = 0;

// Called on a thread of its own; the run sees the note at its next disk
// operation and ends itself.
BOOL WINAPI Note(DWORD event) {
  InterlockedCompareExchange(&g_noted, static_cast<LONG>(event) + 1, 0);
  return TRUE;
}

}  // namespace

void note_interrupts() {
  SetConsoleCtrlHandler(Note, TRUE);
}

int noted_interrupt() {
  return static_cast<int>(g_noted);
}

void end_as_interrupted() {
  // The status a shell gives a program ended by Ctrl-C.
  std::_Exit(130);
}

}  // namespace quillon
