// Copies that are checked byte for byte before anything relies on them, so
// that a short read, a full disk or a failed close can never pass for a
// complete copy of a user's file.

#ifndef QUILLON_BASE_VERIFIED_COPY_H_
#define QUILLON_BASE_VERIFIED_COPY_H_

#include <cstdint>
#include <string>

#include "base/disk.h"
#include "base/failure_log.h"

namespace quillon {

/// True when both disk paths are files with the same size and bytes; false
/// too when either cannot be read to its end.
bool same_bytes(Disk& disk, const std::string& a, const std::string& b);

/// Writes `to` afresh from `from` and reads both back; true only when the
/// copy is complete and identical. What failed on the disk is noted.
bool copy_verified(Disk& disk, const std::string& from, const std::string& to,
                   FailureLog* failures);

/// A checksum of the file's bytes (XXH3, 64 bits), to tell whether it
/// changed, and the number of bytes read; false when it cannot be read to
/// its end.
bool content_checksum(Disk& disk, const std::string& path, uint64_t* checksum,
                      uint64_t* size = nullptr);

}  // namespace quillon

#endif  // QUILLON_BASE_VERIFIED_COPY_H_
