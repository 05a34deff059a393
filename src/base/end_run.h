// Ending the run from anywhere: the driver catches the signal, writes out
// what is buffered and exits with status 0.

#ifndef QUILLON_BASE_END_RUN_H_
#define QUILLON_BASE_END_RUN_H_

namespace quillon {

/// Thrown to end the run; the process then exits with status 0.
struct RunEnded {};

[[noreturn]] inline void end_run() { throw RunEnded(); }

}  // namespace quillon

#endif  // QUILLON_BASE_END_RUN_H_
