#include <signal.h>
#include <stdlib.h>

#include "base/interrupts.h"

namespace quillon {

namespace {

volatile sig_atomic_t g_noted = 0;

const int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void Note(int signal_number) {
  if (!g_noted) g_noted = signal_number;
}

}  // namespace

void note_interrupts() {
  for (int signal_number : kInterrupts) {
    struct sigaction old;
    if (sigaction(signal_number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal_number, &action, nullptr);
  }
  signal(SIGPIPE, SIG_IGN);
}

int noted_interrupt() {
  return g_noted;
}

void end_as_interrupted() {
  int signal_number = g_noted ? g_noted : SIGTERM;
  signal(signal_number, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal_number);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
  raise(signal_number);
  _Exit(128 + signal_number);
}

}  // namespace quillon
