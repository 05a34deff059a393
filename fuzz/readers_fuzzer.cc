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

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "base/fake_disk.h"
#include "base/field_reader.h"
#include "base/file_table.h"
#include "base/text.h"

namespace quillon {
namespace {

[[noreturn]] void Fail(const char* what, const std::string& expected, const std::string& got) {
  std::fprintf(stderr, "MISMATCH in %s\n  expected [%s]\n  got      [%s]\n", what, expected.c_str(),
               got.c_str());
  std::abort();
}

void Expect(const char* what, const std::string& expected, const std::string& got) {
  if (expected != got) Fail(what, expected, got);
}

void Expect(const char* what, long long expected, long long got) {
  if (expected != got) Fail(what, std::to_string(expected), std::to_string(got));
}

// A disk whose reads deliver at most `limit` bytes at a time, as a slow
// device may; everything else is the fake disk's.
class ChunkedInput : public InputFile {
 public:
  ChunkedInput(std::unique_ptr<InputFile> in, size_t limit) : in_(std::move(in)), limit_(limit) {}
  long Read(char* buffer, size_t n) override { return in_->Read(buffer, n < limit_ ? n : limit_); }
  bool Rewind() override { return in_->Rewind(); }

 private:
  std::unique_ptr<InputFile> in_;
  size_t limit_;
};

class ChunkedDisk : public FakeDisk {
 public:
  explicit ChunkedDisk(size_t limit) : limit_(limit) {}
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    std::unique_ptr<InputFile> in = FakeDisk::OpenRead(path);
    if (!in || limit_ == 0) return in;
    return std::make_unique<ChunkedInput>(std::move(in), limit_);
  }

 private:
  size_t limit_;
};

// text_to_number as its rules read, leaning on strtod for the decimal part.
double ModelTextToNumber(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  if (text[i] == '&' && text.size() - i >= 2) {
    char kind = text[i + 1];
    int base = 8;
    size_t from = i + 1;
    if (kind == 'H' || kind == 'h') base = 16, from = i + 2;
    if (kind == 'O' || kind == 'o') base = 8, from = i + 2;
    if (kind == 'B' || kind == 'b') base = 2, from = i + 2;
    double value = 0;
    for (size_t k = from; k < text.size(); ++k) {
      const char* digits = "0123456789abcdef";
      char c = text[k];
      if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
      const char* at = c == '\0' ? nullptr : std::strchr(digits, c);
      if (!at || at - digits >= base) break;
      value = value * base + static_cast<double>(at - digits);
    }
    return value;
  }
  // No number reaches past the first byte that no number holds.
  size_t stop = text.find_first_not_of("0123456789+-.eEdD", i);
  std::string rest = text.substr(i, stop == std::string::npos ? std::string::npos : stop - i);
  for (char& c : rest) {
    if (c == 'd') c = 'e';
    if (c == 'D') c = 'E';
  }
  // strtod would also take white space, "inf", "nan" and hexadecimal forms;
  // the rules know only sign, digits, point, fraction and exponent.
  size_t body = !rest.empty() && (rest[0] == '+' || rest[0] == '-') ? 1 : 0;
  if (body >= rest.size()) return 0;
  char first = rest[body];
  if (!(first == '.' || (first >= '0' && first <= '9'))) return 0;
  if (first == '0' && body + 1 < rest.size() && (rest[body + 1] == 'x' || rest[body + 1] == 'X')) {
    return 0;
  }
  return std::strtod(rest.c_str(), nullptr);
}

void CheckTextToNumber(const std::string& text) {
  double got = text_to_number(text);
  double expected = ModelTextToNumber(text);
  if (std::isnan(got)) Fail("text_to_number gave NaN", text, "nan");
  if (got != expected) {
    Fail(("text_to_number of [" + text + "]").c_str(), number_text_fraction(expected),
         number_text_fraction(got));
  }
}

int32_t ModelRound(double value) {
  if (!std::isfinite(value)) return 0;
  double whole = std::fmod(std::nearbyint(value), 4294967296.0);
  if (whole < 0) whole += 4294967296.0;
  uint32_t bits = static_cast<uint32_t>(whole);
  return static_cast<int32_t>(bits);
}

// The reading rules on the whole content, with a read position.
class Model {
 public:
  explicit Model(std::string data) : data_(std::move(data)) {}
  const std::string& data() const { return data_; }
  size_t position() const { return pos_; }
  bool AtEnd() const { return pos_ >= data_.size(); }
  void Rewind() { pos_ = 0; }

  std::string Line() {
    if (AtEnd()) return "";
    size_t lf = data_.find('\n', pos_);
    size_t end = lf == std::string::npos ? data_.size() : lf;
    std::string line = data_.substr(pos_, end - pos_);
    pos_ = lf == std::string::npos ? data_.size() : lf + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

  std::string Token() {
    SkipBlanks();
    bool quoted = Peek() == '"';
    if (quoted) ++pos_;
    size_t end = data_.find_first_of(quoted ? "\"\r\n" : ",\r\n", pos_);
    if (end == std::string::npos) end = data_.size();
    std::string field = data_.substr(pos_, end - pos_);
    pos_ = end;
    if (quoted && Peek() == '"') {
      ++pos_;
      SkipBlanks();
    }
    // One comma or one line end after the field.
    if (Peek() == ',') {
      ++pos_;
    } else {
      SkipLineEnd();
    }
    return field;
  }

  int32_t Number() {
    SkipBlanks();
    std::string field;
    while (Peek() != -1 && field.size() < 67) {
      int c = Peek();
      if (c == ',' || c == ' ' || c == '\t') {
        ++pos_;
        break;
      }
      if (SkipLineEnd()) break;
      field += static_cast<char>(c);
      ++pos_;
    }
    return NumberOf(field);
  }

 private:
  static int32_t NumberOf(std::string field) {
    if (!field.empty() && field[0] == '"') field.erase(0, 1);
    if (!field.empty() && field.back() == '"') field.pop_back();
    if ((!field.empty() && field[0] == '&') || field.find_first_of(".eEdD") != std::string::npos) {
      return ModelRound(ModelTextToNumber(field));
    }
    bool signed_field = !field.empty() && (field[0] == '+' || field[0] == '-');
    size_t i = signed_field ? 1 : 0;
    uint64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
      value = (value * 10 + static_cast<uint64_t>(field[i] - '0')) % 4294967296u;
    }
    if (!field.empty() && field[0] == '-') value = (4294967296u - value) % 4294967296u;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
  }

  int Peek() const { return AtEnd() ? -1 : static_cast<unsigned char>(data_[pos_]); }
  void SkipBlanks() {
    while (Peek() == ' ' || Peek() == '\t') ++pos_;
  }
  bool SkipLineEnd() {
    if (Peek() == '\n') {
      ++pos_;
      return true;
    }
    if (Peek() != '\r') return false;
    ++pos_;
    if (Peek() == '\n') ++pos_;
    return true;
  }

  std::string data_;
  size_t pos_ = 0;
};

// What an input asks for.
struct Plan {
  std::string content;
  std::string ops;
  size_t read_limit = 0;
};

Plan TakeApart(const uint8_t* data, size_t size) {
  Plan plan;
  std::string all(reinterpret_cast<const char*>(data), size);
  if (all.size() < 3) {
    plan.content = all;
    plan.ops = "001122";
    return plan;
  }
  size_t op_count = static_cast<unsigned char>(all[all.size() - 3]);
  plan.read_limit = static_cast<unsigned char>(all[all.size() - 2]);
  unsigned filler = static_cast<unsigned char>(all[all.size() - 1]);
  all.resize(all.size() - 3);
  if (op_count > all.size()) op_count = all.size();
  plan.ops = all.substr(all.size() - op_count);
  plan.content = all.substr(0, all.size() - op_count);
  if ((filler & 0xf0) == 0xf0) {
    // One long quoted item that ends (filler & 0x0f) bytes before the
    // window's end.
    size_t length = 65536 - (filler & 0x0f) - 4;
    plan.content = "\"" + std::string(length, 'f') + "\"\r\n" + plan.content;
    plan.ops = "0" + plan.ops;
  }
  return plan;
}

// The field readers on the rest of the content, when it is short enough to
// walk byte by byte once more.
const size_t kLongestSource = 16384;

std::unique_ptr<StringSource> SourceAfter(const Model& model) {
  if (model.data().size() - model.position() > kLongestSource) return nullptr;
  return std::make_unique<StringSource>(model.data().substr(model.position()));
}

void CheckEnd(FileTable& files, int number, const Model& model) {
  Expect("end_of_file", model.AtEnd(), files.end_of_file(number));
}

void RunPlan(const Plan& plan) {
  ChunkedDisk disk(plan.read_limit);
  disk.AddFile("data.txt", plan.content);
  FileTable files(&disk);
  int number = files.free_file_number();
  files.open_input("data.txt", number);
  Model model(plan.content);
  // The same field readers on the rest of the content from the last line on.
  std::unique_ptr<StringSource> source = SourceAfter(model);
  std::string last;
  CheckEnd(files, number, model);
  for (char op : plan.ops) {
    switch (static_cast<unsigned char>(op) % 6) {
      case 0: {
        std::string line = "unchanged";
        files.read_line(number, &line);
        Expect("read_line", model.Line(), line);
        source = SourceAfter(model);
        last = line;
        break;
      }
      case 1: {
        std::string expected = model.Token();
        Expect("read_token", expected, files.read_token(number));
        if (source) Expect("read_token_from", expected, read_token_from(*source));
        last = expected;
        break;
      }
      case 2: {
        int32_t expected = model.Number();
        Expect("read_number", expected, files.read_number(number));
        if (source) Expect("read_number_from", expected, read_number_from(*source));
        break;
      }
      case 3:
        files.rewind_file(number);
        model.Rewind();
        source = SourceAfter(model);
        break;
      case 4:
        CheckTextToNumber(last);
        break;
      default:
        break;
    }
    CheckEnd(files, number, model);
  }
  // A loop that reads lines until the end of the file ends, and where the
  // model ends.
  size_t lines = 0;
  while (!files.end_of_file(number)) {
    std::string line;
    files.read_line(number, &line);
    Expect("read_line to the end", model.Line(), line);
    if (++lines > plan.content.size() + 1) Fail("read loop", "an end", "more lines");
  }
  CheckEnd(files, number, model);
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
