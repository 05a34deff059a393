#include "index/page_preparation.h"

#include "app/console_waits.h"
#include "base/command_line.h"
#include "base/text.h"
#include "index/page_parts.h"

namespace quillon {

namespace {

// The number on the last line of count.txt; a file without lines counts 0.
long LeftoverCount(Run& run) {
  int number = run.files.free_file_number();
  run.files.open_input("count.txt", number);
  long count = 0;
  std::string line;
  while (!run.files.end_of_file(number)) {
    run.files.read_line(number, &line);
    count = round_to_int32(text_to_number(line));
  }
  run.files.close_file(number);
  return count;
}

void CheckNoHtmlLeft(Run& run) {
  run.run_command("dir *.htm | find /c \".htm\" > count.txt");
  if (LeftoverCount(run) < 1) return;
  run.print_line("----------------------------");
  run.print_line("error at reading *.htm");
  run.print_line();
  run.print_line("The file must be deleted first, completely created and read.");
  run.print_line();
  end_prompt(run);
}

long CountListedPages(Run& run) {
  int number = run.files.free_file_number();
  run.files.open_input("dir_01.txt", number);
  long count = 0;
  std::string line;
  while (!run.files.end_of_file(number)) {
    run.files.read_line(number, &line);
    if (find_text(1, to_lower(line), ".htm") > 0) ++count;
  }
  run.files.close_file(number);
  return count;
}

std::string WithoutLowBytes(const std::string& line) {
  std::string kept;
  kept.reserve(line.size());
  for (char c : line) {
    if (static_cast<unsigned char>(c) >= 16) kept += c;
  }
  return kept;
}

void StripInto(Run& run, const std::string& source, const std::string& target) {
  int out = run.files.free_file_number();
  run.files.open_output(target, out);
  int in = run.files.free_file_number();
  run.files.open_input(source, in);
  std::string line;
  while (!run.files.end_of_file(in)) {
    run.files.read_line(in, &line);
    run.files.print_line(out, WithoutLowBytes(line));
  }
  run.files.close_file(in);
  run.files.close_file(out);
}

void MakePages(Run& run) {
  int list = run.files.free_file_number();
  run.files.open_input("dir_01.txt", list);
  long page = 0;
  std::string line;
  while (!run.files.end_of_file(list)) {
    run.files.read_line(list, &line);
    std::string lower = to_lower(line);
    long q = find_text(1, lower, ".htm");
    if (q == 0) continue;
    std::string stripped = left_text(lower, q - 1) + "_01.htm";
    StripInto(run, "htm_in\\" + lower, stripped);
    std::string name = page_name(run, ++page);
    run.run_command("copy /y " + QuoteArgument(stripped) + " " + name + " > out_null.list");
  }
  run.files.close_file(list);
}

}  // namespace

void raise_page_number_pad(Run& run, long count) {
  if (count > 1) run.settings.page_number_pad = page_number_pad_for(count);
}

void prepare_pages(Run& run) {
  run.run_command("dir > txt_in\\out.null.html");
  run.run_command("del /q txt_in\\*.htm* > out_null.list");
  run.run_command("copy /y htm_wrk\\*.htm* txt_in\\ > out_null.list");
  run.run_command("dir > f_01.html");
  run.run_command("del /q *.htm* > out_null.list");
  CheckNoHtmlLeft(run);
  run.run_command("dir > htm_in\\f_01.html");
  run.run_command("del /q htm_in\\*.htm* > out_null.list");
  run.run_command("cmd /c for %i in (txt_in) do copy %i\\*.htm* htm_in\\ >> out_null.list");
  run.settings.highlight_color = "red";
  run.settings.highlight_size = "140%";
  run.settings.highlight_inline = true;
  run.run_command("dir /b htm_in\\*.htm* > dir_01.txt");
  raise_page_number_pad(run, CountListedPages(run));
  MakePages(run);
  run.print_line();
  run.print_line("============ INDEXING ===========");
  run.print_line();
  run.print_line("processed 1%");
  run.run_command("dir /b > dir_01.txt");
  run.run_command("del /q *.txt");
}

}  // namespace quillon
