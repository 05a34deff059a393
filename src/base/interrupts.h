// Ctrl-C, SIGTERM and a closed terminal, for a run that must not leave its
// work behind: the signal is only noted, the run's disk refuses every
// operation from then on, so that the run stops at its next check as after
// any failure, and the caller cleans up and then ends as the signal would
// have ended it.

#ifndef QUILLON_BASE_INTERRUPTS_H_
#define QUILLON_BASE_INTERRUPTS_H_

#include <memory>

#include "base/disk.h"

namespace quillon {

/// From now on the interrupting signals are noted instead of ending the
/// process (one that was ignored when the program started stays ignored),
/// and a write to a closed pipe fails with an error instead of ending it.
void note_interrupts();

/// The signal noted so far; 0 for none.
int noted_interrupt();

/// Ends the process as the noted signal would have ended it (at a shell,
/// status 130 for Ctrl-C).
[[noreturn]] void end_as_interrupted();

/// A disk that does what `disk` does until an interrupt is noted and fails
/// every operation after that. Its lock is taken once and then kept, so
/// that a caller may take it before handing the disk on.
std::unique_ptr<Disk> stopping_disk(std::unique_ptr<Disk> disk);

}  // namespace quillon

#endif  // QUILLON_BASE_INTERRUPTS_H_
