#include "model/model_index.h"

#include <vector>

#include "app/results_screen.h"
#include "index/highlight_script.h"
#include "index/page_annotation.h"
#include "index/page_heads.h"
#include "index/page_preparation.h"
#include "index/tag_names.h"
#include "index/word_extraction.h"
#include "index/word_table.h"
#include "model/model_names.h"
#include "model/model_pages.h"
#include "model/model_sort.h"
#include "run/console_waits.h"
#include "run/work_files.h"
#include "run/work_folders.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;
using Record = std::vector<std::string>;

// ---- Page preparation: each page stripped into a copy, then copied ----

void MakePages(Run& run, const std::string& pad) {
  int list = run.files.free_file_number();
  run.files.open_input(kScratchListing, list);
  long page = 0;
  std::string line;
  while (!run.files.end_of_file(list)) {
    run.files.read_line(list, &line);
    std::string lower = to_lower(line);
    long q = find_text(1, lower, ".htm");
    if (q == 0) continue;
    std::string stripped = stripped_copy(lower);
    strip_into(run.files, kHtmlIn + "\\" + lower, stripped);
    std::string name = page_name(pad, ++page);
    run.run_command("copy /y " + QuoteArgument(stripped) + " " + name + " > " + kSink);
  }
  run.files.close_file(list);
}

void PreparePages(Run& run, const std::string& page_number_pad) {
  MakePages(run, stage_pages(run, page_number_pad));
  start_indexing(run.console, run.commands);
}

// ---- Word extraction, with a listing of each page's lines and words -------

void ExtractPage(Run& run, const std::string& page, int records, ScanState* state) {
  FileTable& files = run.files;
  int listing = open_for_output(files, html_stem(page) + ".txt");
  int in = open_for_input(files, page);
  bool tag_open = state->tag_open;
  *state = ScanState();
  state->tag_open = tag_open;
  long line_number = 0;
  std::string line;
  std::vector<TakenWord> words;
  while (!files.end_of_file(in)) {
    files.read_line(in, &line);
    ++line_number;
    words.clear();
    if (!extract_line_words(line, state, &words)) continue;
    files.print_line(listing, "=================================================");
    files.print_line(listing, line);
    for (const TakenWord& taken : words) {
      if (taken.start > kLastIndexedStart) continue;
      files.write_quoted(records, {taken.word, page, right_aligned(line_number, 10),
                                   right_aligned(taken.start, 6), taken.word});
      files.print_number(listing, taken.scan_position, Ending::kZone);
      files.print_line(listing, taken.word);
    }
  }
  files.close_file(in);
  files.close_file(listing);
}

void ExtractWords(Run& run) {
  FileTable& files = run.files;
  run.run_command("dir /b page_*.htm > " + kPageListing);
  int list = open_for_input(files, kPageListing);
  int records = open_for_output(files, kWordRecords);
  ScanState state;
  std::string entry;
  while (!files.end_of_file(list)) {
    files.read_line(list, &entry);
    std::string page = to_lower(entry);
    if (find_text(1, page, ".htm") > 0) ExtractPage(run, page, records, &state);
  }
  files.close_file(list);
  files.close_file(records);
  run.print_line("processed 10%");
}

// ---- Word records and page groups -----------------------------------------

// Copies every record of `in` (of `items` items) that `keep` takes to `out`,
// as `make` writes it.
template <typename Keep, typename Make>
void Transform(Run& run, const std::string& in_name, const std::string& out_name, size_t items,
               Keep keep, Make make) {
  FileTable& files = run.files;
  int in = open_for_input(files, in_name);
  int out = open_for_output(files, out_name);
  Record r;
  while (!files.end_of_file(in)) {
    read_items(files, in, items, &r);
    if (keep(r)) files.write_quoted(out, make(r));
  }
  files.close_file(in);
  files.close_file(out);
}

void NumberWords(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, kSortedRecords);
  int out = open_for_output(files, kIdentifiedRecords);
  Record r;
  read_items(files, in, 6, &r);
  long long counter = 0;
  std::string id = word_id_text(counter);
  std::string remembered = r[0];
  files.write_quoted(out, {r[1], r[2], r[4], r[3], id});
  while (!files.end_of_file(in)) {
    read_items(files, in, 6, &r);
    ++counter;
    if (compare_text(r[0], remembered) != 0) {
      id = word_id_text(counter);
      remembered = r[0];
    }
    files.write_quoted(out, {r[1], r[2], r[4], r[3], id});
  }
  files.close_file(in);
  files.close_file(out);
}

void NumberOccurrences(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, kIdentifiedRecords);
  int out = open_for_output(files, kNumberedRecords);
  Record r;
  read_items(files, in, 5, &r);
  std::string remembered = r[4];
  files.rewind_file(in);
  long long counter = 0;
  while (!files.end_of_file(in)) {
    read_items(files, in, 5, &r);
    ++counter;
    if (compare_text(r[4], remembered) != 0) counter = 1;
    if (find_text(1, r[0], "page_") > 0 && find_text(1, r[4], "id") > 0) {
      files.write_quoted(out, {r[0], r[1], r[2], r[3], r[4], number_text(counter)});
    }
    remembered = r[4];
  }
  files.close_file(in);
  files.close_file(out);
}

bool ListedBefore(FileTable& files, const std::string& page) {
  int in = open_for_input(files, kPagesWithWords);
  std::string line;
  bool listed = false;
  while (!listed && !files.end_of_file(in)) {
    files.read_line(in, &line);
    listed = line == page;
  }
  files.close_file(in);
  return listed;
}

int GroupPages(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, kRankedRecords);
  Record r;
  read_items(files, in, 8, &r);
  std::string current = r[2];
  int all = open_for_output(files, kPagesWithWords);
  files.print_line(all, current);
  files.close_file(all);
  int group = 1;
  int out = open_for_output(files, group_page_list(group));
  files.write_quoted(out, {current});
  int fill = 1;
  while (!files.end_of_file(in)) {
    read_items(files, in, 8, &r);
    if (r[2] == current || ListedBefore(files, r[2])) continue;
    current = r[2];
    files.write_quoted(out, {current});
    ++fill;
    all = files.free_file_number();
    files.open_append(kPagesWithWords, all);
    files.print_line(all, current);
    files.close_file(all);
    if (fill == 2) {
      files.close_file(out);
      fill = 0;
      out = open_for_output(files, group_page_list(++group));
    }
  }
  files.close_file(in);
  files.close_file(out);
  return group;
}

int BuildWordRecords(Run& run) {
  Transform(
      run, kWordRecords, kLowerCaseRecords, 5,
      [](const Record& r) { return find_text(1, to_lower(r[0]), "&nbsp;") == 0; },
      [](const Record& r) { return Record{to_lower(r[0]), r[1], r[2], r[0], r[3], r[4]}; });
  model_sort_file(run, kLowerCaseRecords, kSortedRecords);
  run.print_line("processed 20%");
  NumberWords(run);
  NumberOccurrences(run);
  model_sort_file(run, kNumberedRecords, kDocumentOrderRecords);
  Transform(
      run, kDocumentOrderRecords, kWordOnlyRecords, 6,
      [](const Record& r) {
        return find_text(1, to_lower(r[0]), "page_") > 0 && find_text(1, r[4], "id") > 0;
      },
      [](const Record& r) { return r; });
  Transform(
      run, kWordOnlyRecords, kRankedRecords, 6, [](const Record&) { return true; },
      [](const Record& r) {
        std::string digits = number_text(100000000 - round_to_int32(text_to_number(r[5])));
        std::string key = left_text("00000000", 8 - text_length(digits)) + digits;
        return Record{key, r[4], r[0], r[1], r[2], r[3], r[4], r[5]};
      });
  model_sort_file(run, kRankedRecords, kRankSortedRecords);
  run.print_line("processed 30%");
  int group_count = GroupPages(run);
  model_sort_file(run, kPagesWithWords, kPagesWithWordsSorted);
  run.print_line("processed 40%");
  return group_count;
}

// ---- Occurrence lists ---------------------------------------------------

std::vector<std::string> GroupPageNames(Run& run, int group) {
  int in = open_for_input(run.files, group_page_list(group));
  std::vector<std::string> pages;
  while (!run.files.end_of_file(in)) pages.push_back(run.files.read_token(in));
  run.files.close_file(in);
  return pages;
}

void SplitByPage(Run& run, int group_count) {
  FileTable& files = run.files;
  int ranked = open_for_input(files, kRankSortedRecords);
  int all = open_for_output(files, kAllOccurrences);
  Record r;
  for (int g = 1; g <= group_count; ++g) {
    std::string digits = number_text(g);
    std::string field = blank_text(5 - text_length(digits)) + digits;
    int by_page = open_for_output(files, group_occurrences(g));
    int by_word = open_for_output(files, group_word_occurrences(g));
    for (const std::string& page : GroupPageNames(run, g)) {
      int single = open_for_output(files, page_occurrences(page_number_text(page)));
      files.rewind_file(ranked);
      while (!files.end_of_file(ranked)) {
        read_items(files, ranked, 8, &r);
        if (compare_text(r[2], page) != 0) continue;
        files.write_quoted(single, {r[2], r[3], r[4], r[5], r[6], r[7]});
        files.write_quoted(by_page, {r[2], r[3], r[4], r[5], r[6], r[7]});
        files.write_quoted(by_word, {r[1], r[2], r[3], r[4], r[5], r[6], r[7]});
        files.write_quoted(all, {r[1], field, r[2], r[3], r[4], r[5], r[7]});
      }
      files.close_file(single);
    }
    files.close_file(by_page);
    files.close_file(by_word);
    run.run_command("sort " + group_occurrences(g) + " /o " + group_occurrences_sorted(g));
    run.run_command("sort " + group_word_occurrences(g) + " /o " +
                    group_word_occurrences_sorted(g));
  }
  files.close_file(ranked);
  files.close_file(all);
}

// Past the first run of the page in the word's file, the record that ends
// the run gives the next page when it comes later.
std::string NextPage(Run& run, const std::string& id, const std::string& page) {
  FileTable& files = run.files;
  if (!files.file_exists(word_file(id))) {
    run.run_command("findstr \"" + id + "\" " + kIdentifiedRecords + " > " + word_file(id));
  }
  int in = open_for_input(files, word_file(id));
  std::string next;
  Record r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 5, &r);
    if (compare_text(r[0], page) != 0) continue;
    do {
      read_items(files, in, 5, &r);
    } while (compare_text(r[0], page) == 0 && !files.end_of_file(in));
    if (compare_text(r[0], page) > 0) {
      next = r[0];
      break;
    }
  }
  files.close_file(in);
  return next;
}

void BuildOccurrenceLists(Run& run, int group_count) {
  SplitByPage(run, group_count);
  for (int g = 1; g <= group_count; ++g) {
    Transform(
        run, group_occurrences_sorted(g), group_next_pages(g), 6,
        [](const Record&) { return true; },
        [&](const Record& r) {
          return Record{r[0], r[1], r[2], r[3], r[4], r[5], NextPage(run, r[4], r[0])};
        });
  }
  run.print_line("processed 50%");
}

// ---- Page annotation ----------------------------------------------------

struct Occurrence {
  std::string page, word, id, number_item, next_page;
  long line = 0;
  long start = 0;
};

// The Before and Next targets, kept from one page and group to the next.
struct Links {
  std::string before, next;
};

class GroupRewriter {
 public:
  GroupRewriter(Run& run, int group, Links* links)
      : run_(run), files_(run.files), group_(number_text(group)), links_(*links) {}

  void Add(const Occurrence& o) {
    if (page_.empty()) {
      CopyAsItWas(o.page);
      OpenPage(o.page);
    }
    if (previous_start_ > 0 && (o.page != page_ || o.line != lines_read_)) WriteRest();
    if (o.page != page_) {
      FinishPage();
      CopyAsItWas(page_);
      CopyBack();
      OpenPage(o.page);
    }
    ReadThrough(o.line);
    long gap = previous_start_ == 0 ? o.start - 1 : o.start - previous_start_ - previous_length_;
    long from = previous_start_ == 0 ? 1 : previous_start_ + previous_length_;
    files_.print_line(out_, substring(current_, from, gap));
    files_.print_line(out_, "<span id=\"" + o.id +
                                "\" type = \"text/javascript\"ondblclick = \"window.open('" +
                                o.page + "#" + o.id + "'); window.event.cancelbubble = true;\">" +
                                o.word + "</span>");
    if (o.word != "Pages_list") WriteNavigator(o);
    previous_start_ = o.start;
    previous_length_ = text_length(o.word);
  }

  void Finish() {
    if (page_.empty()) return;
    if (previous_start_ > 0) WriteRest();
    FinishPage();
    CopyBack();
  }

 private:
  void CopyAsItWas(const std::string& page) {
    run_.run_command("copy /y " + page + " " + page_before_annotation(page) + " > " + kSink);
  }

  void CopyBack() {
    run_.run_command("copy /y " + output_ + " " + trim_blanks(page_) + " > " + kSink);
  }

  void OpenPage(const std::string& page) {
    page_ = page;
    output_ = page_being_annotated(page_);
    in_ = open_for_input(files_, page_);
    lines_read_ = 0;
    previous_start_ = 0;
    body_found_ = false;
    out_ = open_for_output(files_, output_);
  }

  void WriteRest() {
    files_.print_line(out_, substring(current_, previous_start_ + previous_length_, -1));
    previous_start_ = 0;
  }

  void ReadThrough(long line) {
    while (lines_read_ < line) {
      files_.read_line(in_, &current_);
      ++lines_read_;
      previous_start_ = 0;
      if (!body_found_ && is_body_line(current_)) {
        body_found_ = true;
        run_.files.print_text(out_, highlight_script_text());
        files_.print_line(out_, "<br>");
        WriteNavigationLinks();
      }
      if (lines_read_ < line) files_.print_line(out_, current_);
    }
  }

  void FinishPage() {
    std::string line;
    while (!files_.end_of_file(in_)) {
      files_.read_line(in_, &line);
      ++lines_read_;
      if (find_text(1, to_lower(line), "</body>") > 0) {
        files_.print_line(out_, "<br>");
        WriteNavigationLinks();
      }
      files_.print_line(out_, line);
    }
    files_.close_file(in_);
    files_.close_file(out_);
  }

  void WriteNavigationLinks() {
    int in = open_for_input(files_, kPagesWithWordsSorted);
    std::string wanted = to_lower(page_);
    std::string line;
    long matched = 0;
    for (long i = 1; !files_.end_of_file(in); ++i) {
      files_.read_line(in, &line);
      if (to_lower(line) != wanted) continue;
      matched = i;
      files_.read_line(in, &line);
      links_.next = to_lower(line);
      break;
    }
    if (matched > 1) {
      files_.rewind_file(in);
      for (long i = 1; i < matched; ++i) files_.read_line(in, &line);
      links_.before = to_lower(line);
    }
    files_.close_file(in);
    if (!links_.before.empty()) {
      files_.print_line(out_, "<a href=\"" + links_.before + "\"> Before </a> ");
    }
    if (!links_.next.empty())
      files_.print_line(out_, "<a href=\"" + links_.next + "\"> Next </a> ");
    files_.print_line(out_, "<a href=\"files_list.htm\"> Content </a><br>");
  }

  // Lines of the word's file read until the first run of lines holding the
  // page has ended.
  long LastOccurrenceOnPage(const std::string& id) {
    int in = open_for_input(files_, word_file(id));
    long count = 0;
    bool met = false;
    std::string line;
    while (!files_.end_of_file(in)) {
      files_.read_line(in, &line);
      bool holds = find_text(1, line, page_) > 0;
      if (met && !holds) break;
      ++count;
      met = met || holds;
    }
    files_.close_file(in);
    return count;
  }

  void WriteNavigator(const Occurrence& o) {
    const std::string& id = o.id;
    long number = static_cast<long>(text_to_number(o.number_item));
    files_.print_line(out_, "<span hidden id=\"" + id + "\">");
    std::string link = number < LastOccurrenceOnPage(id)
                           ? "(<a href=\"#" + id + "_" + number_text(number + 1) + "\">&gt;</a>,"
                           : "(<a href=\"#" + id + "_" + number_text(number) + "\"></a>";
    files_.print_line(out_, "(" + o.number_item + ")" + link);
    files_.print_line(out_, "<a href=\"i_" + group_ + ".htm#" + id + "\">i</a>,");
    files_.print_line(out_,
                      "<a href=\"s_" + group_ + ".htm#" + id + "_" + o.number_item + "\">s</a>,");
    if (o.next_page.empty()) {
      files_.print_line(out_, "<a href=\"files_list.htm\">c)</a></span>");
    } else {
      files_.print_line(out_, "<a href=\"files_list.htm\">c</a>,");
      files_.print_line(out_, "<a href=\"" + o.next_page + "#" + id + "\">&gt;&gt;)</a></span>");
    }
    files_.print_line(out_, "<span id=\"" + id + "_" + o.number_item + "\"></span>");
  }

  Run& run_;
  FileTable& files_;
  std::string group_;
  std::string page_, output_;
  int in_ = 0, out_ = 0;
  long lines_read_ = 0;
  std::string current_;
  long previous_start_ = 0, previous_length_ = 0;
  bool body_found_ = false;
  Links& links_;
};

void AnnotateGroupPages(Run& run, int group, Links* links) {
  FileTable& files = run.files;
  int in = open_for_input(files, group_next_pages(group));
  GroupRewriter rewriter(run, group, links);
  Record r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 7, &r);
    Occurrence o;
    o.page = r[0];
    o.line = static_cast<long>(text_to_number(r[1]));
    o.start = static_cast<long>(text_to_number(r[2]));
    o.word = r[3];
    o.id = r[4];
    o.number_item = r[5];
    o.next_page = r[6];
    rewriter.Add(o);
  }
  files.close_file(in);
  rewriter.Finish();
}

void WriteGroupPages(Run& run, int group_count, const std::string& destination_site) {
  run.run_command("dir /b *.  > " + kScratchListing);
  if (folder_listed(run.files, kScratchListing, kOccurrenceCopies)) {
    run.run_command("dir > " + kOccurrenceCopies + "\\" + kClearingFile);
    run.run_command("del /q " + kOccurrenceCopies + "\\*.txt > " + kSink);
  } else {
    run.run_command("md " + kOccurrenceCopies + " > " + kSink);
  }
  run.run_command("copy wrd_24*.txt " + kOccurrenceCopies + "\\ > " + kSink);
  run.run_command("copy /y " + kOccurrenceCopies + "\\*.txt > " + kSink);
  Links links;
  for (int g = 1; g <= group_count; ++g) {
    AnnotateGroupPages(run, g, &links);
    model_write_group_index_page(run, g);
    model_write_group_search_page(run, g, destination_site);
  }
}

// ---- Index of all words, one count command per entry ---------------------

struct WordRecord {
  std::string word_id, group, word;
};

WordRecord ReadWordRecord(FileTable& files, int file) {
  Record r;
  read_items(files, file, 7, &r);
  return {r[0], r[1], r[5]};
}

std::string EntryStart(const WordRecord& entry) {
  std::string group = number_text_fraction(text_to_number(entry.group));
  return "&nbsp;&nbsp;<a href=\"i_" + group + ".htm#" + entry.word_id + "\" id=\"" + entry.word_id +
         "\">(i_" + group;
}

std::string CountByCommand(Run& run, const WordRecord& entry, const std::string& previous) {
  std::string group = trim_blanks(entry.group);
  run.run_command("find /c \"" + entry.word_id + "\" " + group_occurrences(group) + " > " +
                  group_count_file(group));
  int in = open_for_input(run.files, group_count_file(group));
  std::string count = previous;
  std::string line;
  while (!run.files.end_of_file(in)) {
    run.files.read_line(in, &line);
    long colon = find_text(1, line, ":");
    if (colon > 0) {
      count = trim_blanks(substring(line, colon + 1, -1));
      break;
    }
  }
  run.files.close_file(in);
  return count;
}

long long WriteWordIndex(Run& run) {
  FileTable& files = run.files;
  run.print_line("processed 60%");
  model_sort_file(run, kAllOccurrences, kAllOccurrencesSorted);
  int in = open_for_input(files, kAllOccurrencesSorted);
  long long total = 0;
  for (Record r; !files.end_of_file(in); ++total) read_items(files, in, 7, &r);
  files.close_file(in);
  run.print_line("processed 70%");
  int out = open_for_output(files, kWordIndexPage);
  run.files.print_text(out, common_head_text());
  files.print_line(out, "<br><br>");
  files.print_line(out, "Use a combination of two keys (CTRL + F) to search.");
  files.print_line(out, "<br><br>");
  in = open_for_input(files, kAllOccurrencesSorted);
  WordRecord current = ReadWordRecord(files, in);
  files.rewind_file(in);
  std::string count;
  for (long long n = 1; !files.end_of_file(in); ++n) {
    WordRecord record = ReadWordRecord(files, in);
    if (n == 1) {
      if (total > 2) run.print_line("processed 80%");
      files.print_line(out, "<br>");
      files.print_line(out, record.word);
    }
    if (record.word_id == current.word_id && record.group == current.group) continue;
    count = CountByCommand(run, current, count);
    files.print_line(out, EntryStart(current) + ",&nbsp;&nbsp;" + count + ")</a>");
    if (record.word_id != current.word_id) {
      files.print_line(out, "<br>");
      files.print_line(out, record.word);
    }
    current = record;
  }
  files.close_file(in);
  files.print_line(out, EntryStart(current) + ")</a>");
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
  run.print_line("processed 90%");
  return total;
}

// ---- Delivery: every page copied ----------------------------------------

void DeliverPages(Run& run) {
  FileTable& files = run.files;
  run.run_command("dir /b *. > " + kScratchListing);
  if (!folder_listed(run.files, kScratchListing, kHtmlOut))
    run.run_command("md " + kHtmlOut + " > " + kSink);
  run.run_command("dir > " + kHtmlOut + "\\" + kClearingFile + " > " + kSink);
  run.run_command("del /q " + kHtmlOut + "\\*.* > " + kSink);
  int in = open_for_input(files, kPageListing);
  std::string line;
  while (!files.end_of_file(in)) {
    files.read_line(in, &line);
    line = to_lower(line);
    if (find_text(1, line, ".htm") == 0) continue;
    run.run_command("copy " + QuoteArgument(trim_blanks(line)) + " " + kHtmlOut + "\\ > " + kSink);
  }
  files.close_file(in);
  const std::string to = " " + kHtmlOut + "\\ > " + kSink;
  run.run_command("copy " + kHtmlWork + "\\" + kComparePage + " " + kHtmlOut + "\\" + kComparePage +
                  " > " + kSink);
  for (const std::string& page :
       {kContentsPage, std::string("i_*.htm"), kWordIndexPage, std::string("s_*.htm")}) {
    run.run_command("copy " + page + to);
  }
  run.run_command("del /q *.htm*");
  for (const std::string& name : kRunListFiles) files.delete_file(name);
  run.run_command("dir /b /a-d *.txt > " + kScratchListing);
  in = open_for_input(files, kScratchListing);
  while (!files.end_of_file(in)) {
    files.read_line(in, &line);
    line = to_lower(line);
    if (line != kScratchListing) files.delete_file(line);
  }
  files.close_file(in);
  files.delete_file(kScratchListing);
}

}  // namespace

void model_index(Run& run, const std::string& page_number_pad,
                 const std::string& destination_site) {
  PreparePages(run, page_number_pad);
  ExtractWords(run);
  int group_count = BuildWordRecords(run);
  BuildOccurrenceLists(run, group_count);
  WriteGroupPages(run, group_count, destination_site);
  long long total = WriteWordIndex(run);
  DeliverPages(run);
  show_results(run.console, run.failures, total);
}

}  // namespace quillon
