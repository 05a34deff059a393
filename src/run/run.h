// What every phase of a run works with: the disk, the log of what failed on
// it, the file table, the console, the command layer and the run's one
// pseudo-random sequence.
// Values that one phase hands to a later one do not live here: a phase
// returns them and the phase table passes them on.

#ifndef QUILLON_RUN_RUN_H_
#define QUILLON_RUN_RUN_H_

#include <string>

#include "base/console.h"
#include "base/disk.h"
#include "base/failure_log.h"
#include "base/own_files.h"
#include "base/text.h"
#include "run/file_table.h"
#include "run/work_files.h"
#include "shell/command_layer.h"

namespace quillon {

class Run {
 public:
  Run(Disk* disk, ConsoleDevice* device, const std::string& program_path)
      : own(disk, work_files::kInputFolder, work_files::kOwnRecord),
        disk(own),
        files(&own, &failures),
        console(device),
        commands(&own, &console, &failures,
                 {work_files::kCopyTemporary, work_files::kSortScratchFiles.prefix,
                  work_files::kSortScratchFiles.suffix}),
        program_path(program_path) {}

  void run_command(const std::string& line) { commands.run_command(line); }
  void print_line(const std::string& text = "") { console.print_line(text); }
  void print_text(const std::string& text) { console.print_text(text); }

  /// The disk in front of `disk` below: once the driver starts it, the
  /// run sees and changes only its own files (base/own_files.h).
  OwnDisk own;
  Disk& disk;
  /// Every write, read, delete or rename that failed; a run with any
  /// never shows its results as if it had worked.
  FailureLog failures;
  FileTable files;
  Console console;
  CommandLayer commands;
  std::string program_path;
  /// The queries of long search-page lines draw from it, page after page.
  RandomFractions random;
};

}  // namespace quillon

#endif  // QUILLON_RUN_RUN_H_
