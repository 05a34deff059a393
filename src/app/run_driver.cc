#include "app/run_driver.h"

#include <memory>

#include "app/phase_table.h"
#include "base/end_run.h"

namespace quillon {

int run_main(const char* argv0, long part_size) {
  std::unique_ptr<Disk> disk = make_real_disk(".");
  std::unique_ptr<ConsoleDevice> device = make_standard_console();
  Run run(disk.get(), device.get(), argv0 ? argv0 : "");
  RunState state;
  state.part_size = part_size;
  try {
    run_phases(run, state);
  } catch (const RunEnded&) {
  }
  run.files.close_all();
  run.console.flush();
  return 0;
}

}  // namespace quillon
