#include "app/phase_table.h"

#include <stdexcept>

#include "app/folder_check.h"
#include "app/opening_screens.h"
#include "app/results_screen.h"
#include "app/space_check.h"
#include "app/tool_checks.h"
#include "compare/changes_pages.h"
#include "compare/comparison_page.h"
#include "compare/destination_address.h"
#include "compare/duplicate_check.h"
#include "compare/working_copies.h"
#include "index/delivery.h"
#include "index/group_pages.h"
#include "index/occurrence_lists.h"
#include "index/page_preparation.h"
#include "index/word_extraction.h"
#include "index/word_index_page.h"
#include "index/word_records.h"
#include "intake/file_selection.h"
#include "intake/html_reformat.h"
#include "intake/input_intake.h"
#include "run/console_waits.h"
#include "run/work_files.h"

namespace quillon {

namespace {

// Leftover clearing files of an earlier run go first; the listing makes sure
// the delete always finds a file.
void StartUp(CommandLayer& commands) {
  commands.run_command("chcp");
  commands.run_command("dir > " + work_files::kClearingFile);
  commands.run_command("del /q " + work_files::kEveryClearingFile);
}

// The comparison page's two files under the names the person knows them by,
// linked to the first page the index will make of it.
ChangesSource ChangesOf(const RunState& s) {
  ChangesSource source;
  source.left_copy = s.comparison.left_copy;
  source.right_copy = s.comparison.right_copy;
  source.left_name = s.options.first_shown_name;
  source.right_name = s.options.second_shown_name;
  source.first_page =
      work_files::page_name(raised_page_number_pad(s.page_number_pad, s.comparison.parts), 1);
  return source;
}

const std::vector<Phase> kPhases = {
    {"start-up", [](Run& run, RunState&) { StartUp(run.commands); }},
    {"opening screens",
     [](Run& run, RunState&) { show_opening_screens(run.console, run.program_path); }},
    {"tool checks",
     [](Run& run, RunState&) {
       run_tool_checks(run.commands, run.files, run.console, run.failures);
     }},
    {"intake", [](Run& run, RunState&) { take_in_input_folder(run); }},
    {"html inputs", [](Run& run, RunState& s) { s.html_twins = reformat_html_inputs(run); }},
    {"selection", [](Run& run, RunState& s) { s.table_width = select_input_files(run); }},
    {"destination address",
     [](Run& run, RunState& s) { s.destination_site = ask_destination_address(run.console); }},
    {"duplicate check", [](Run& run, RunState&) { check_duplicate_inputs(run); }},
    {"working copies", [](Run& run, RunState& s) { s.page_number_pad = make_working_copies(run); }},
    {"comparison page",
     [](Run& run, RunState& s) {
       s.comparison = write_comparison_page(run, s.table_width, s.options.part_size, s.html_twins);
       s.whole_page_folder = s.comparison.whole_page_folder;
     }},
    {"changes pages",
     [](Run& run, RunState& s) { s.changes_pages = write_changes_pages(run, ChangesOf(s)); }},
    {"space check", [](Run& run, RunState&) { check_free_space(run.own, run.console); }},
    {"page preparation", [](Run& run, RunState& s) { prepare_pages(run, s.page_number_pad); }},
    {"word extraction",
     [](Run& run, RunState& s) { s.words = extract_words(run, s.options.jobs); }},
    {"word records", [](Run& run, RunState& s) { build_word_records(run, &s.words); }},
    {"occurrence lists", [](Run& run, RunState& s) { build_occurrence_lists(run, &s.words); }},
    {"word index pages", [](Run&, RunState& s) { plan_word_index_pages(&s.words); }},
    {"group pages",
     [](Run& run, RunState& s) {
       write_group_pages(run, s.words, s.destination_site, s.options.jobs);
     }},
    {"word index", [](Run& run, RunState& s) { s.word_total = write_word_index(run, s.words); }},
    {"delivery",
     [](Run& run, RunState& s) {
       deliver_pages(run, s.whole_page_folder);
       deliver_changes_pages(run, s.changes_pages);
     }},
    {"results",
     [](Run& run, RunState& s) {
       warn_about_new_entries(run.own, run.console);
       show_results(run.console, run.failures, s.word_total);
     }},
};

}  // namespace

size_t phase_index(const std::string& name) {
  for (size_t i = 0; i < kPhases.size(); ++i) {
    if (name == kPhases[i].name) return i;
  }
  throw std::invalid_argument("no phase named " + name);
}

const std::vector<Phase>& phase_table() {
  return kPhases;
}

void run_phases(Run& run, RunState& state, const std::string& first, const std::string& last) {
  for (size_t i = phase_index(first); i <= phase_index(last); ++i) {
    state.phase = i;
    kPhases[i].run(run, state);
    // Output to a file or a pipe gathers; a phase's lines are out before the
    // next phase starts.
    run.console.flush();
    stop_if_failed(run.failures);
  }
}

}  // namespace quillon
