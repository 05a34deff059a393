// Before indexing: is there room on the disk for what indexing writes?

#ifndef QUILLON_APP_SPACE_CHECK_H_
#define QUILLON_APP_SPACE_CHECK_H_

#include <cstdint>

#include "base/console.h"
#include "base/own_files.h"

namespace quillon {

/// The most the index phases have on the disk at one time (work files and
/// pages), per byte of the pages they index, as measured on the
/// benchmark's inputs (see the README). Retune it when the index phases
/// write less.
constexpr uint64_t kIndexGrowth = 125;
/// Room kept on top, for the small work files and the file system's own use.
constexpr uint64_t kSpaceMargin = 4u << 20;

/// The bytes indexing pages of `page_bytes` in all needs.
uint64_t space_needed(uint64_t page_bytes);

/// Compares the room indexing needs with the free space of the disk; when it
/// is short, says how much is needed and fails the run before it writes.
void check_free_space(OwnDisk& disk, Console& console);

}  // namespace quillon

#endif  // QUILLON_APP_SPACE_CHECK_H_
