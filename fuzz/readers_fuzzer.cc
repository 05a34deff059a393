// Reads one file of arbitrary bytes with read_line, read_token, read_number,
// end_of_file and rewind_file in the order the input asks for, and checks
// every result against a plain model of the reading rules, against the same
// field readers on an in-memory text, and text_to_number against strtod.
//
// Input layout: CONTENT, OPS, then three bytes: the number of op bytes, the
// most bytes one disk read delivers (0: no limit), and a filler choice (top
// four bits set: CONTENT follows one long quoted item on a line of its own,
// so that it straddles the end of the 64 KiB read window; short reads put
// window ends everywhere else far more cheaply).

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "base/field_reader.h"
#include "base/text.h"
#include "run/file_table.h"
#include "support/fake_disk.h"

namespace quillon {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& expected,
                       const std::string& got) {
  std::fprintf(stderr, "MISMATCH in %s\n  expected [%s]\n  got      [%s]\n", what.c_str(),
               expected.c_str(), got.c_str());
  std::abort();
}

void Expect(const std::string& what, const std::string& expected, const std::string& got) {
  if (expected != got) Fail(what, expected, got);
}

void Expect(const std::string& what, long long expected, long long got) {
  Expect(what, std::to_string(expected), std::to_string(got));
}

// A disk whose reads deliver at most `limit` bytes at a time, as a slow
// device may; everything else is the fake disk's.
struct ChunkedDisk : FakeDisk {
  struct Input : InputFile {
    Input(std::unique_ptr<InputFile> in, size_t limit) : in(std::move(in)), limit(limit) {}
    long read(char* buffer, size_t n) override { return in->read(buffer, n < limit ? n : limit); }
    bool rewind() override { return in->rewind(); }
    std::unique_ptr<InputFile> in;
    size_t limit;
  };
  explicit ChunkedDisk(size_t limit) : limit(limit) {}
  std::unique_ptr<InputFile> open_read(const std::string& path) override {
    std::unique_ptr<InputFile> in = FakeDisk::open_read(path);
    if (!in || limit == 0) return in;
    return std::make_unique<Input>(std::move(in), limit);
  }
  size_t limit;
};

// text_to_number as its rules read, leaning on strtod for the decimal part.
double ModelTextToNumber(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  if (text[i] == '&' && text.size() - i >= 2) {
    char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    int base = kind == 'h' ? 16 : kind == 'b' ? 2 : 8;
    double value = 0;
    for (size_t k = i + 1 + (kind == 'h' || kind == 'o' || kind == 'b'); k < text.size(); ++k) {
      const char* digits = "0123456789abcdef";
      const char* at = std::strchr(digits, std::tolower(static_cast<unsigned char>(text[k])));
      if (text[k] == '\0' || !at || at - digits >= base) break;
      value = value * base + static_cast<double>(at - digits);
    }
    return value;
  }
  // No number reaches past the first byte that no number holds.
  std::string rest = text.substr(i, text.find_first_not_of("0123456789+-.eEdD", i) - i);
  for (char& c : rest) c = c == 'd' ? 'e' : c == 'D' ? 'E' : c;
  // strtod would also take white space, "inf", "nan" and hexadecimal forms;
  // the rules know only sign, digits, point, fraction and exponent.
  size_t body = !rest.empty() && (rest[0] == '+' || rest[0] == '-') ? 1 : 0;
  if (body >= rest.size() || !(rest[body] == '.' || (rest[body] >= '0' && rest[body] <= '9'))) {
    return 0;
  }
  return std::strtod(rest.c_str(), nullptr);
}

void CheckTextToNumber(const std::string& text) {
  double got = text_to_number(text);
  double expected = ModelTextToNumber(text);
  if (std::isnan(got) || got != expected) {
    Fail("text_to_number of [" + text + "]", number_text_fraction(expected),
         std::isnan(got) ? "nan" : number_text_fraction(got));
  }
}

// The reading rules on the whole content, with a read position.
struct Model {
  std::string data;
  size_t pos = 0;

  bool AtEnd() const { return pos >= data.size(); }
  int peek() const { return AtEnd() ? -1 : static_cast<unsigned char>(data[pos]); }
  void skip_blanks() {
    while (peek() == ' ' || peek() == '\t') ++pos;
  }
  bool skip_line_end() {
    if (peek() != '\n' && peek() != '\r') return false;
    if (peek() == '\r') ++pos;
    if (peek() == '\n') ++pos;
    return true;
  }

  std::string line() {
    if (AtEnd()) return "";
    size_t end = std::min(data.find('\n', pos), data.size());
    std::string line = data.substr(pos, end - pos);
    pos = std::min(end + 1, data.size());
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

  std::string Token() {
    skip_blanks();
    bool quoted = peek() == '"';
    pos += quoted;
    size_t end = std::min(data.find_first_of(quoted ? "\"\r\n" : ",\r\n", pos), data.size());
    std::string field = data.substr(pos, end - pos);
    pos = end;
    if (quoted && peek() == '"') {
      ++pos;
      skip_blanks();
    }
    // One comma or one line end after the field.
    if (peek() == ',') {
      ++pos;
    } else {
      skip_line_end();
    }
    return field;
  }

  int32_t Number() {
    skip_blanks();
    std::string field;
    while (peek() != -1 && field.size() < 67 && !skip_line_end()) {
      char c = data[pos++];
      if (c == ',' || c == ' ' || c == '\t') break;
      field += c;
    }
    if (!field.empty() && field[0] == '"') field.erase(0, 1);
    if (!field.empty() && field.back() == '"') field.pop_back();
    if (field[0] == '&' || field.find_first_of(".eEdD") != std::string::npos) {
      double whole = ModelTextToNumber(field);
      if (!std::isfinite(whole)) return 0;
      whole = std::fmod(std::nearbyint(whole), 4294967296.0);
      return static_cast<int32_t>(static_cast<uint32_t>(whole < 0 ? whole + 4294967296.0 : whole));
    }
    uint32_t value = 0;  // Wraps modulo 2^32 as the readers do.
    size_t k = field[0] == '+' || field[0] == '-' ? 1 : 0;
    for (; k < field.size() && std::isdigit(static_cast<unsigned char>(field[k])); ++k) {
      value = value * 10 + static_cast<uint32_t>(field[k] - '0');
    }
    return static_cast<int32_t>(field[0] == '-' ? 0u - value : value);
  }
};

// Content, op bytes and the longest disk read an input asks for.
struct Plan {
  std::string content;
  std::string ops = "001122";
  size_t read_limit = 0;
};

Plan TakeApart(const uint8_t* data, size_t size) {
  Plan plan;
  plan.content.assign(reinterpret_cast<const char*>(data), size);
  if (size < 3) return plan;
  std::string& all = plan.content;
  size_t op_count = std::min<size_t>(data[size - 3], size - 3);
  plan.read_limit = data[size - 2];
  unsigned filler = data[size - 1];
  all.resize(size - 3);
  plan.ops = all.substr(all.size() - op_count);
  all.resize(all.size() - op_count);
  if ((filler & 0xf0) == 0xf0) {
    // One long quoted item that ends (filler & 0x0f) bytes before the window's end.
    all = "\"" + std::string(65536 - (filler & 0x0f) - 4, 'f') + "\"\r\n" + all;
    plan.ops = "0" + plan.ops;
  }
  return plan;
}

void RunPlan(const Plan& plan) {
  ChunkedDisk disk(plan.read_limit);
  disk.AddFile("data.txt", plan.content);
  FailureLog failures;
  FileTable files(&disk, &failures);
  int number = files.free_file_number();
  files.open_input("data.txt", number);
  Model model{plan.content};
  // The field readers also run on an in-memory copy of the rest of the
  // content from the last line or rewind on, when short enough to walk again.
  std::unique_ptr<StringSource> source;
  auto restart = [&] {
    bool short_rest = model.data.size() - model.pos <= 16384;
    source = short_rest ? std::make_unique<StringSource>(model.data.substr(model.pos)) : nullptr;
  };
  restart();
  std::string last;
  Expect("end_of_file", model.AtEnd(), files.end_of_file(number));
  for (char op : plan.ops) {
    switch (static_cast<unsigned char>(op) % 6) {
      case 0:
        last = "unchanged";
        files.read_line(number, &last);
        Expect("read_line", model.line(), last);
        restart();
        break;
      case 1:
        last = model.Token();
        Expect("read_token", last, files.read_token(number));
        if (source) Expect("read_token_from", last, read_token_from(*source));
        break;
      case 2: {
        int32_t expected = model.Number();
        Expect("read_number", expected, files.read_number(number));
        if (source) Expect("read_number_from", expected, read_number_from(*source));
        break;
      }
      case 3:
        files.rewind_file(number);
        model.pos = 0;
        restart();
        break;
      case 4:
        CheckTextToNumber(last);
        break;
    }
    Expect("end_of_file", model.AtEnd(), files.end_of_file(number));
  }
  // A loop that reads lines until the end of the file ends where the model ends.
  for (size_t lines = 0; !files.end_of_file(number); ++lines) {
    std::string line;
    files.read_line(number, &line);
    Expect("read_line to the end", model.line(), line);
    if (lines > plan.content.size()) Fail("read loop", "an end", "more lines");
  }
  Expect("end_of_file at the end", model.AtEnd(), true);
  files.close_file(number);
  // A free number reads as an empty file.
  std::string untouched = "kept";
  files.read_line(number, &untouched);
  Expect("read_line on a free number", "kept", untouched);
  Expect("read_token on a free number", "", files.read_token(number));
  Expect("read_number on a free number", 0, files.read_number(number));
  Expect("end_of_file on a free number", 1, files.end_of_file(number));
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillon::Plan plan = quillon::TakeApart(data, size);
  quillon::RunPlan(plan);
  quillon::CheckTextToNumber(plan.content);
  return 0;
}
