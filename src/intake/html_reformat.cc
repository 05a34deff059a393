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

std::vector<std::string> ReadLines(FileTable& files, const std::string& name) {
  std::vector<std::string> lines;
  TableFile in = files.input(name);
  for (std::string line; in.next_line(&line);) lines.push_back(line);
  return lines;
}

// The second list of the clash test and how often each stem occurs in it.
struct StemList {
  std::vector<std::string> entries;
  std::unordered_map<std::string, long> counts;
};

StemList LoadStemList(FileTable& files, const std::string& name) {
  StemList list;
  list.entries = ReadLines(files, name);
  std::string stem;
  for (const std::string& entry : list.entries) {
    if (clash_stem(entry, &stem)) ++list.counts[stem];
  }
  return list;
}

void ReportClash(Console& console, const std::string& stem) {
  console.print_line();
  console.print_line(kSeparator);
  console.print_line("Compare file names *.htm and *.txt");
  console.print_line();
  console.print_line(stem);
  console.print_line();
  console.print_line("File has the same name and two extensions, *.htm, *.txt");
  console.print_line();
  stop_prompt(console, "<1> = stop and rename file: " + stem,
              "<2> = continue and *.txt file will be recreate from *.htm");
}

// Rewrites the second list without the stem, so it is never asked about again.
StemList DropStem(FileTable& files, CommandLayer& commands, const StemList& list,
                  const std::string& stem) {
  {
    TableFile rewritten = files.output(kClashRewrittenList);
    std::string other;
    for (const std::string& entry : list.entries) {
      if (clash_stem(entry, &other) && other != stem) rewritten.print_line(trim_blanks(entry));
    }
  }
  commands.run_command("copy /y " + kClashRewrittenList + " " + kClashSecondList + " > " + kSink);
  return LoadStemList(files, kClashSecondList);
}

void CheckNameClashes(FileTable& files, CommandLayer& commands, Console& console) {
  const std::string every_input = in_folder(kInputFolder, kEveryFile);
  commands.run_command("dir /b /a-d " + every_input + " > " + kClashFirstList);
  commands.run_command("dir /b /a-d " + every_input + " > " + kClashSecondList);
  std::vector<std::string> first = ReadLines(files, kClashFirstList);
  StemList second = LoadStemList(files, kClashSecondList);
  std::string stem;
  for (const std::string& entry : first) {
    if (!clash_stem(entry, &stem)) continue;
    auto found = second.counts.find(stem);
    if (found == second.counts.end() || found->second < 2) continue;
    ReportClash(console, stem);
    second = DropStem(files, commands, second, stem);
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
Twin WriteBodyText(FileTable& files, Disk& disk, FailureLog& failures, const std::string& html,
                   const std::string& text) {
  Twin result;
  std::string path, twin;
  DirEntry entry;
  if (resolve_path(disk, html, &path) && disk.stat(path, &entry) &&
      !text_twin(disk, path, &twin, &result.has_body)) {
    failures.note(DiskAction::kRead, html, disk.last_error());
  }
  bool written;
  {
    TableFile out = files.output(kTwinTemporary);
    out.print_text(twin);
    written = !out.write_failed();
  }
  std::string from, to;
  if (written && resolve_path(disk, kTwinTemporary, &from) &&
      resolve_for_writing(disk, text, &to)) {
    result.written = disk.rename(from, to);
    if (!result.written) failures.note(DiskAction::kWrite, text, disk.last_error());
  }
  return result;
}

// The twins written, and the HTML inputs without a body with their twins.
struct Twins {
  std::set<std::string> written;
  std::vector<std::pair<std::string, std::string>> without_body;
};

Twins WriteTwins(FileTable& files, CommandLayer& commands, Disk& disk, FailureLog& failures) {
  commands.run_command("dir /b /a-d " + in_folder(kInputFolder, kEveryHtmPage) + " > " +
                       kHtmlInputList);
  TableFile list = files.input(kHtmlInputList);
  Twins twins;
  for (std::string line; list.next_line(&line);) {
    std::string entry = trim_blanks(line);
    std::string text = text_twin_name(entry);
    if (text.empty()) continue;
    Twin twin = WriteBodyText(files, disk, failures, entry, text);
    if (twin.written) twins.written.insert(text);
    if (twin.written && !twin.has_body) twins.without_body.emplace_back(entry, text);
    // No overwrite switch: an existing twin in compare_in is asked about.
    commands.run_command("copy " + QuoteArgument(text) + " " +
                         QuoteArgument(in_folder(kInputFolder, text)));
  }
  return twins;
}

}  // namespace

std::string text_twin_name(const std::string& entry) {
  std::string given = trim_blanks(entry);
  long marker = find_marker(given, kPageExtension);
  return marker == 0 ? "" : left_text(given, marker - 1) + kTextExtension;
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
  long marker = find_marker(given, kPageExtension);
  if (marker == 0) marker = find_marker(given, kTextExtension);
  if (marker == 0) return false;
  *stem = left_text(given, marker - 1);
  return true;
}

std::set<std::string> reformat_html_inputs(Run& run) {
  run.console.print_line();
  run.console.print_line(kSeparator);
  run.console.print_line("Reformatting *.htm files to *.txt");
  CheckNameClashes(run.files, run.commands, run.console);
  Twins twins = WriteTwins(run.files, run.commands, run.disk, run.failures);
  for (const auto& file : twins.without_body) {
    run.console.print_warning(file.first + " has no line that opens its body, so its text " +
                              file.second + " is empty.");
  }
  return twins.written;
}

}  // namespace quillon
