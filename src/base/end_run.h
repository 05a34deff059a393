// Ending the run from anywhere: the driver catches the signal, writes out
// what is buffered and exits.

#ifndef QUILLON_BASE_END_RUN_H_
#define QUILLON_BASE_END_RUN_H_

namespace quillon {

/// Thrown to end the run; the process then exits with status 0.
struct RunEnded {};

/// Thrown when the run cannot do its job (a file it could not write, too
/// little room on the disk): the driver says so, removes the run's work
/// files and exits with status 1. It ends the run like RunEnded.
struct RunFailed : RunEnded {};

[[noreturn]] inline void end_run() {
  throw RunEnded();
}

[[noreturn]] inline void fail_run() {
  throw RunFailed();
}

}  // namespace quillon

#endif  // QUILLON_BASE_END_RUN_H_
