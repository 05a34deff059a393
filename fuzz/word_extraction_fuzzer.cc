// Cuts arbitrary pages into words, the way the index does after page
// preparation, and checks what every word record must hold: five items that
// read back as written, a word of three bytes or more that stands at the
// recorded line and position, and the same records under both strategies,
// with a listing that names the same words.
//
// Input: the page bytes; a form feed (which page preparation drops) starts
// the next page, up to three.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/commands.h"
#include "base/field_reader.h"
#include "base/file_table.h"
#include "base/test_run.h"
#include "base/text.h"
#include "index/word_extraction.h"

namespace quillon {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& detail) {
  std::fprintf(stderr, "BROKEN: %s\n  [%s]\n", what.c_str(), detail.c_str());
  std::abort();
}

void Require(bool holds, const std::string& what, const std::string& detail) {
  if (!holds) Fail(what, detail);
}

// A page as page preparation leaves it: no byte below 16 in its lines, every
// line ended by CR LF.
struct Page {
  std::string name;
  std::vector<std::string> lines;
  std::string content;
};

std::vector<Page> MakePages(const std::string& input) {
  std::vector<Page> pages;
  size_t from = 0;
  while (pages.size() < 3) {
    size_t feed = pages.size() < 2 ? input.find('\f', from) : std::string::npos;
    std::string raw =
        input.substr(from, feed == std::string::npos ? std::string::npos : feed - from);
    Page page;
    page.name = "page_0" + std::to_string(pages.size() + 1) + ".htm";
    for (const std::string& line : SplitLines(raw)) {
      std::string kept;
      for (char c : line) {
        if (static_cast<unsigned char>(c) >= 16) kept += c;
      }
      page.lines.push_back(kept);
      page.content += kept + "\r\n";
    }
    pages.push_back(page);
    if (feed == std::string::npos) break;
    from = feed + 1;
  }
  return pages;
}

// The bytes a word stands for in its line: quotes became apostrophes.
bool StandsAt(const std::string& line, long start, const std::string& word) {
  if (start < 1 || start - 1 + text_length(word) > text_length(line)) return false;
  for (size_t k = 0; k < word.size(); ++k) {
    char c = line[static_cast<size_t>(start - 1) + k];
    if (c == '"') c = '\'';
    if (c != word[k]) return false;
  }
  return true;
}

void CheckWord(const std::string& word, const std::string& where) {
  Require(text_length(word) >= 3, "word shorter than 3 bytes", where);
  Require(word.find_first_of("\" <") == std::string::npos, "quote, blank or tag start in word",
          where);
}

// A right-aligned number item: blanks, then the digits of a positive number.
long AlignedNumber(const std::string& item, long width, const std::string& where) {
  std::string digits = trim_left(item);
  Require(!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos,
          "number item", where);
  long value = std::stol(digits);
  Require(item == right_aligned(value, width), "alignment of number item", where);
  return value;
}

std::string FileOf(FakeRun& t, const std::string& path) {
  Require(t.disk.HasFile(path), "missing file", path);
  return t.disk.Content(path);
}

// Every record of wrd_01.txt against the pages; the words in order.
std::vector<std::string> CheckRecords(const std::string& records, const std::vector<Page>& pages) {
  std::vector<std::string> words;
  size_t page_index = 0;
  Require(records.empty() || records.size() >= 2, "records", records);
  Require(records.empty() || records.compare(records.size() - 2, 2, "\r\n") == 0,
          "records end in CR LF", records);
  for (const std::string& record : SplitLines(records)) {
    StringSource in(record);
    std::vector<std::string> items;
    for (int k = 0; k < 5; ++k) items.push_back(read_token_from(in));
    Require(in.Peek() == -1, "record of more than five items", record);
    Require(items[0] == items[4], "word items differ", record);
    while (page_index < pages.size() && pages[page_index].name != items[1]) ++page_index;
    Require(page_index < pages.size(), "page item out of order", record);
    const Page& page = pages[page_index];
    long line = AlignedNumber(items[2], 10, record);
    long start = AlignedNumber(items[3], 6, record);
    Require(line >= 1 && line <= static_cast<long>(page.lines.size()), "line number", record);
    CheckWord(items[0], record);
    Require(StandsAt(page.lines[static_cast<size_t>(line - 1)], start, items[0]),
            "word not at its position", record);
    words.push_back(items[0]);
  }
  return words;
}

// The listing's word lines in order: a number printed to the zone, the word.
std::vector<std::string> ListedWords(const std::string& listing) {
  const std::string rule(49, '=');
  std::vector<std::string> lines = SplitLines(listing);
  std::vector<std::string> words;
  for (size_t i = 0; i < lines.size();) {
    Require(lines[i] == rule, "listing rule", lines[i]);
    Require(i + 1 < lines.size(), "listing line after rule", listing);
    for (i += 2; i < lines.size() && lines[i] != rule; ++i) {
      const std::string& entry = lines[i];
      size_t digits = entry.find_first_not_of("0123456789", 1);
      Require(entry.size() > 1 && entry[0] == ' ' && digits != std::string::npos && digits > 1,
              "listing number", entry);
      size_t word = ((digits + 14) / 14) * 14;
      Require(entry.find_first_not_of(' ', digits) == word, "listing zone", entry);
      words.push_back(entry.substr(word));
    }
  }
  return words;
}

std::string Extract(const std::vector<Page>& pages, Strategy strategy,
                    std::vector<std::string>* listed) {
  FakeRun t;
  t.run.strategy = strategy;
  for (const Page& page : pages) t.disk.AddFile(page.name, page.content);
  extract_words(t.run);
  Require(t.transcript() == "processed 10%\r\n", "console", t.transcript());
  for (const Page& page : pages) {
    std::string listing = page.name.substr(0, page.name.size() - 4) + ".txt";
    if (strategy == Strategy::kFast) {
      Require(!t.disk.HasFile(listing), "listing under the fast strategy", listing);
      continue;
    }
    for (const std::string& word : ListedWords(FileOf(t, listing))) listed->push_back(word);
  }
  for (const Page& page : pages) {
    Require(FileOf(t, page.name) == page.content, "page changed", page.name);
  }
  return FileOf(t, "wrd_01.txt");
}

// The line cutter straight on raw lines, control bytes and all.
void CutRawLines(const std::string& input) {
  ScanState state;
  std::vector<TakenWord> words;
  for (const std::string& line : SplitLines(input)) {
    words.clear();
    if (!extract_line_words(line, &state, &words)) {
      Require(words.empty(), "words from a skipped line", line);
      continue;
    }
    for (const TakenWord& taken : words) {
      CheckWord(taken.word, line);
      Require(StandsAt(line, taken.start, taken.word), "raw word not at its position", line);
      Require(taken.scan_position >= taken.start && taken.scan_position <= text_length(line),
              "scan position", line);
    }
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  std::string input(reinterpret_cast<const char*>(data), size);
  CutRawLines(input);
  std::vector<Page> pages = MakePages(input);
  std::vector<std::string> unused, listed;
  std::string fast = Extract(pages, Strategy::kFast, &unused);
  std::string reference = Extract(pages, Strategy::kReference, &listed);
  Require(fast == reference, "records differ between strategies", input);
  Require(CheckRecords(fast, pages) == listed, "listing and records name different words", input);
  return 0;
}
