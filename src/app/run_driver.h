// A run of the program on the real console, in the current folder.

#ifndef QUILLON_APP_RUN_DRIVER_H_
#define QUILLON_APP_RUN_DRIVER_H_

namespace quillon {

/// Walks the phase table on the real console and disk, the comparison cut
/// into parts of `part_size` bytes (0: one page), and gives the exit status
/// (0 on every way the run ends).
int run_main(const char* argv0, long part_size);

}  // namespace quillon

#endif  // QUILLON_APP_RUN_DRIVER_H_
