#include "base/field_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/test_run.h"

namespace quillon {
namespace {

// Every text field of `data`, read until nothing is left.
std::vector<std::string> Tokens(const std::string& data) {
  StringSource in(data);
  std::vector<std::string> tokens;
  while (in.Peek() != -1) tokens.push_back(read_token_from(in));
  return tokens;
}

int32_t Number(const std::string& answer) {
  StringSource in(answer);
  return read_number_from(in);
}

using Fields = std::vector<std::string>;

TEST(FieldReaderTest, QuotedFieldsKeepCommasAndBlanks) {
  EXPECT_EQ(Tokens("\"alpha\",\"be ta\",\"\"\r\n"), (Fields{"alpha", "be ta", ""}));
  EXPECT_EQ(Tokens("\"a, b\",\"  c\"\n"), (Fields{"a, b", "  c"}));
  EXPECT_EQ(Tokens("\"a\"  ,b"), (Fields{"a", "b"}));
  EXPECT_EQ(Tokens("\"a\" \t\r\nb"), (Fields{"a", "b"}));
  // A quote inside an item ends it; what follows is the next field.
  EXPECT_EQ(Tokens("\"say \"hi\"\"\r\n"), (Fields{"say ", "hi\"\""}));
  // A line end ends a quoted field too.
  EXPECT_EQ(Tokens("\"open\r\nnext"), (Fields{"open", "next"}));
  EXPECT_EQ(Tokens("\"x\"y"), (Fields{"x", "y"}));
}

TEST(FieldReaderTest, PlainFieldsKeepInnerAndTrailingBlanks) {
  EXPECT_EQ(Tokens("abc  \r\n"), (Fields{"abc  "}));
  EXPECT_EQ(Tokens("  abc"), (Fields{"abc"}));
  EXPECT_EQ(Tokens("red, green\rblue"), (Fields{"red", "green", "blue"}));
  EXPECT_EQ(Tokens("a\"b\"c,d"), (Fields{"a\"b\"c", "d"}));
  EXPECT_EQ(Tokens(",x"), (Fields{"", "x"}));
}

TEST(FieldReaderTest, FieldsHaveNoLengthLimit) {
  std::string long_item(10000, 'w');
  EXPECT_EQ(Tokens("\"" + long_item + "\",z"), (Fields{long_item, "z"}));
  EXPECT_EQ(Tokens(long_item + "\n"), (Fields{long_item}));
}

// The number grammar and its rounding are text_to_number's and
// round_to_int32's; here, what the field gives them.
TEST(FieldReaderTest, NumberAnswers) {
  const std::pair<const char*, int32_t> cases[] = {
      {"  12", 12},   {"2.5", 2},    {"-7x", -7},          {"+8", 8},
      {"", 0},        {"abc", 0},    {"&HE", 14},          {"2d1", 20},
      {"\"12\"", 12}, {"12 34", 12}, {"3e9", -1294967296}, {"4294967297", 1}};
  for (const auto& c : cases) EXPECT_EQ(Number(c.first), c.second) << c.first;
  EXPECT_EQ(Number("99999999999999999999"), 1661992959);
}

TEST(FieldReaderTest, NumberFieldsStopAtBlanksCommasAnd67Bytes) {
  StringSource in("4,5\t6\r\n7 " + std::string(67, '1') + "23");
  std::vector<int32_t> numbers;
  while (in.Peek() != -1) numbers.push_back(read_number_from(in));
  ASSERT_EQ(numbers.size(), 6u);
  EXPECT_EQ(numbers[0], 4);
  EXPECT_EQ(numbers[1], 5);
  EXPECT_EQ(numbers[2], 6);
  EXPECT_EQ(numbers[3], 7);
  EXPECT_EQ(numbers[5], 23);
}

// The same fields read back through the file table, as the work files are.
TEST(FieldReaderTest, FileFieldsReadBackWhatWriteQuotedWrote) {
  FakeRun t;
  FileTable& files = t.run.files;
  int out = files.free_file_number();
  files.open_output("rec.txt", out);
  files.write_quoted(out, {"alpha", "be ta", ""});
  files.write_quoted(out, {"x,y", "  lead"});
  files.close_file(out);
  EXPECT_EQ(t.disk.Content("rec.txt"), "\"alpha\",\"be ta\",\"\"\r\n\"x,y\",\"  lead\"\r\n");
  int in = files.free_file_number();
  files.open_input("rec.txt", in);
  Fields read;
  while (!files.end_of_file(in)) read.push_back(files.read_token(in));
  EXPECT_EQ(read, (Fields{"alpha", "be ta", "", "x,y", "  lead"}));
  EXPECT_EQ(files.read_token(in), "");
  EXPECT_EQ(files.read_number(in), 0);
  files.close_file(in);
}

TEST(FieldReaderTest, FileFieldsKeepAByteOrderMark) {
  FakeRun t;
  t.disk.AddFile("bom.txt", "\xEF\xBB\xBF\"a\",12\r\n");
  FileTable& files = t.run.files;
  files.open_input("bom.txt", 1);
  EXPECT_EQ(files.read_token(1), "\xEF\xBB\xBF\"a\"");
  EXPECT_EQ(files.read_number(1), 12);
  EXPECT_TRUE(files.end_of_file(1));
  EXPECT_EQ(files.read_number(2), 0);
}

}  // namespace
}  // namespace quillon
