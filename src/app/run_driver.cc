#include "app/run_driver.h"

#include "app/opening_screens.h"
#include "app/tool_checks.h"
#include "base/end_run.h"
#include "compare/comparison_page.h"
#include "compare/working_copies.h"
#include "intake/file_selection.h"
#include "intake/html_reformat.h"
#include "intake/input_intake.h"
#include "index/indexing.h"

namespace quillon {

namespace {

void StartUpCommands(Run& run) {
  run.run_command("chcp");
  // The listing makes sure the delete always finds a file.
  run.run_command("dir > f_01.txt");
  run.run_command("del /q f_*.txt");
}

}  // namespace

void run_program(Run& run) {
  StartUpCommands(run);
  show_opening_screens(run);
  run_tool_checks(run);
  take_in_input_folder(run);
  reformat_html_inputs(run);
  select_input_files(run);
  prepare_working_copies(run);
  write_comparison_page(run);
  run_indexing(run);
}

int run_main(const char* argv0) {
  std::unique_ptr<Disk> disk = MakeRealDisk(".");
  std::unique_ptr<ConsoleDevice> device = MakeStandardConsole();
  Run run(disk.get(), device.get(), argv0 ? argv0 : "");
  try {
    run_program(run);
  } catch (const RunEnded&) {
  }
  run.files.close_all();
  run.console.flush();
  return 0;
}

}  // namespace quillon
