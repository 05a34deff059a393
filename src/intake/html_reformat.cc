#include "intake/html_reformat.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "base/line_io.h"
#include "base/paths.h"
#include "run/clean_name.h"
#include "run/console_waits.h"
#include "run/work_files.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

std::vector<std::string> ReadLines(Run& run, const std::string& name) {
  std::vector<std::string> lines;
  int number = run.files.free_file_number();
  run.files.open_input(name, number);
  while (!run.files.end_of_file(number)) {
    std::string line;
    run.files.read_line(number, &line);
    lines.push_back(line);
  }
  run.files.close_file(number);
  return lines;
}

// The second list of the clash test and how often each stem occurs in it.
struct StemList {
  std::vector<std::string> entries;
  std::unordered_map<std::string, long> counts;
};

StemList LoadStemList(Run& run, const std::string& name) {
  StemList list;
  list.entries = ReadLines(run, name);
  std::string stem;
  for (const std::string& entry : list.entries) {
    if (clash_stem(entry, &stem)) ++list.counts[stem];
  }
  return list;
}

void ReportClash(Run& run, const std::string& stem) {
  run.print_line();
  run.print_line(kSeparator);
  run.print_line("Compare file names *.htm and *.txt");
  run.print_line();
  run.print_line(stem);
  run.print_line();
  run.print_line("File has the same name and two extensions, *.htm, *.txt");
  run.print_line();
  stop_prompt(run.console, "<1> = stop and rename file: " + stem,
              "<2> = continue and *.txt file will be recreate from *.htm");
}

// Rewrites the second list without the stem, so it is never asked about again.
StemList DropStem(Run& run, const StemList& list, const std::string& stem) {
  int number = run.files.free_file_number();
  run.files.open_output(kClashRewrittenList, number);
  std::string other;
  for (const std::string& entry : list.entries) {
    if (clash_stem(entry, &other) && other != stem) {
      run.files.print_line(number, trim_blanks(entry));
    }
  }
  run.files.close_file(number);
  run.run_command("copy /y " + kClashRewrittenList + " " + kClashSecondList + " > " + kSink);
  return LoadStemList(run, kClashSecondList);
}

void CheckNameClashes(Run& run) {
  run.run_command("dir /b /a-d " + kInputFolder + "\\*.* > " + kClashFirstList);
  run.run_command("dir /b /a-d " + kInputFolder + "\\*.* > " + kClashSecondList);
  std::vector<std::string> first = ReadLines(run, kClashFirstList);
  StemList second = LoadStemList(run, kClashSecondList);
  std::string stem;
  for (const std::string& entry : first) {
    if (!clash_stem(entry, &stem)) continue;
    auto found = second.counts.find(stem);
    if (found == second.counts.end() || found->second < 2) continue;
    ReportClash(run, stem);
    second = DropStem(run, second, stem);
  }
}

bool LineReads(const std::string& line, const char* marker) {
  return to_lower(trim_blanks(line)) == marker;
}

// A line that opens the body: "<body>", or the tag with attributes after a
// blank or a tab, as saved pages have it, as long as nothing else on the
// line could be markup or text.
bool OpensBody(const std::string& line) {
  std::string tag = to_lower(trim_blanks(line));
  if (tag == "<body>") return true;
  return tag.size() > 6 && tag.compare(0, 5, "<body") == 0 && (tag[5] == ' ' || tag[5] == '\t') &&
         tag.find_first_of("<>", 1) == tag.size() - 1;
}

struct Twin {
  bool written = false;   ///< It took its name in the program's folder.
  bool has_body = false;  ///< Its HTML input was read and holds a body line.
};

// The twin is completed aside and then takes its name, so that an
// interrupted run never leaves half a twin under the twin's name.
Twin WriteBodyText(Run& run, const std::string& html, const std::string& text) {
  Twin result;
  std::string path, twin;
  DirEntry entry;
  if (resolve_path(run.disk, html, &path) && run.disk.stat(path, &entry) &&
      !text_twin(run.disk, path, &twin, &result.has_body)) {
    run.failures.note(DiskAction::kRead, html, run.disk.last_error());
  }
  int out = run.files.free_file_number();
  run.files.open_output(kTwinTemporary, out);
  run.files.print_text(out, twin);
  bool written = !run.files.write_failed(out);
  run.files.close_file(out);
  std::string from, to;
  if (written && resolve_path(run.disk, kTwinTemporary, &from) &&
      resolve_for_writing(run.disk, text, &to)) {
    result.written = run.disk.rename(from, to);
    if (!result.written) run.failures.note(DiskAction::kWrite, text, run.disk.last_error());
  }
  return result;
}

std::set<std::string> ReformatHtmlFiles(Run& run) {
  run.run_command("dir /b /a-d " + kInputFolder + "\\*.htm > " + kHtmlInputList);
  int list = run.files.free_file_number();
  run.files.open_input(kHtmlInputList, list);
  std::set<std::string> twins;
  std::vector<std::pair<std::string, std::string>> without_body;
  std::string line;
  while (!run.files.end_of_file(list)) {
    line.clear();
    run.files.read_line(list, &line);
    std::string entry = trim_blanks(line);
    std::string text = text_twin_name(entry);
    if (text.empty()) continue;
    Twin twin = WriteBodyText(run, entry, text);
    if (twin.written) twins.insert(text);
    if (twin.written && !twin.has_body) without_body.emplace_back(entry, text);
    // No overwrite switch: an existing twin in compare_in is asked about.
    run.run_command("copy " + QuoteArgument(text) + " " +
                    QuoteArgument(kInputFolder + "\\" + text));
  }
  run.files.close_file(list);
  for (const auto& file : without_body) {
    run.console.print_warning(file.first + " has no line that opens its body, so its text " +
                              file.second + " is empty.");
  }
  return twins;
}

}  // namespace

std::string text_twin_name(const std::string& entry) {
  std::string given = trim_blanks(entry);
  long marker = find_marker(given, ".htm");
  return marker == 0 ? "" : left_text(given, marker - 1) + ".txt";
}

bool text_twin(Disk& disk, const std::string& html, std::string* text, bool* has_body) {
  text->clear();
  std::unique_ptr<InputFile> in = disk.open_read(html);
  if (!in) return false;
  LineReader reader(std::move(in));
  std::string line;
  bool in_body = false;
  while (reader.next(&line)) {
    if (!in_body) {
      in_body = OpensBody(line);
    } else if (LineReads(line, "</body>")) {
      break;
    } else if (!LineReads(line, "<pre>") && !LineReads(line, "</pre>")) {
      *text += trim_blanks(line) + "\r\n";
    }
  }
  if (has_body) *has_body = in_body;
  return !reader.failed();
}

bool clash_stem(const std::string& entry, std::string* stem) {
  std::string given = trim_blanks(entry);
  long marker = find_marker(given, ".htm");
  if (marker == 0) marker = find_marker(given, ".txt");
  if (marker == 0) return false;
  *stem = left_text(given, marker - 1);
  return true;
}

std::set<std::string> reformat_html_inputs(Run& run) {
  run.print_line();
  run.print_line(kSeparator);
  run.print_line("Reformatting *.htm files to *.txt");
  CheckNameClashes(run);
  return ReformatHtmlFiles(run);
}

}  // namespace quillon
