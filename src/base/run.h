// Everything one run shares: the disk, the file table, the console, the
// command layer, and the few settings that one phase hands to a later one.

#ifndef QUILLON_BASE_RUN_H_
#define QUILLON_BASE_RUN_H_

#include <string>

#include "base/command_layer.h"
#include "base/console.h"
#include "base/disk.h"
#include "base/file_table.h"
#include "base/text.h"

namespace quillon {

/// How the index phases get their results: the straightforward procedure
/// (one command or file pass per word, page or entry), or the same bytes in
/// near-linear time.
enum class Strategy { kFast, kReference };

struct RunSettings {
  std::string table_width;
  std::string destination_site;
  std::string page_number_pad;
  std::string highlight_color;
  std::string highlight_size;
  bool highlight_inline = false;
  int group_count = 0;
  long long word_total = 0;
};

/// The parameters of `sort_file`.
struct SortSettings {
  std::string input;   ///< sort.input$
  std::string output;  ///< sort.output$
};

/// The zeros page numbers are filled to for `count` pages: "" for one page
/// or none, "00" from two, one zero more for every power of ten past ten.
std::string page_number_pad_for(long count);

class Run {
 public:
  Run(Disk* disk, ConsoleDevice* device, const std::string& program_path)
      : disk(*disk), files(disk), console(device), commands(disk, &console),
        program_path(program_path) {}

  void run_command(const std::string& line) { commands.run_command(line); }
  void print_line(const std::string& text = "") { console.print_line(text); }
  void print_text(const std::string& text) { console.print_text(text); }

  Disk& disk;
  FileTable files;
  Console console;
  CommandLayer commands;
  std::string program_path;
  RunSettings settings;
  SortSettings sort;
  RandomFractions random;
  Strategy strategy = Strategy::kFast;
};

}  // namespace quillon

#endif  // QUILLON_BASE_RUN_H_
