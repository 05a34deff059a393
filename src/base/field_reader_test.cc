// The fields of strings. Records written and read back through the file
// table are the model comparison's, which stores its work in them.

#include "base/field_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillon {
namespace {

using Fields = std::vector<std::string>;

// Every text field of `data`, read until nothing is left.
Fields Tokens(const std::string& data) {
  StringSource in(data);
  Fields tokens;
  while (in.peek() != -1) tokens.push_back(read_token_from(in));
  return tokens;
}

TEST(FieldReaderTest, TextFields) {
  const std::string wide(10000, 'w');
  const std::pair<std::string, Fields> cases[] = {
      {"\"alpha\",\"be ta\",\"\"\r\n", {"alpha", "be ta", ""}},
      {"\"a, b\"  ,\"  c\" \t\r\nd", {"a, b", "  c", "d"}},
      // A quote inside an item ends it; what follows is the next field.
      {"\"say \"hi\"\"\r\n", {"say ", "hi\"\""}},
      {"\"open\r\nnext", {"open", "next"}},
      {"  abc  \r\n", {"abc  "}},
      {"red, green\rblue", {"red", "green", "blue"}},
      {"a\"b\"c,,d", {"a\"b\"c", "", "d"}},
      {"\"" + wide + "\"," + wide, {wide, wide}}};
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.first), c.second) << c.first.substr(0, 20);
}

// The number grammar and its rounding are text_to_number's and
// round_to_int32's; here, what the field gives them.
TEST(FieldReaderTest, NumberFields) {
  const std::pair<const char*, int32_t> cases[] = {
      {"  12", 12}, {"2.5", 2},     {"-7x", -7},          {"", 0},
      {"&HE", 14},  {"\"12\"", 12}, {"3e9", -1294967296}, {"99999999999999999999", 1661992959}};
  for (const auto& c : cases) {
    StringSource in(c.first);
    EXPECT_EQ(read_number_from(in), c.second) << c.first;
  }
  StringSource in("4,5\t6\r\n7 " + std::string(67, '1') + "23");
  std::vector<int32_t> numbers;
  while (in.peek() != -1) numbers.push_back(read_number_from(in));
  ASSERT_EQ(numbers.size(), 6u);
  EXPECT_EQ(numbers[3], 7);
  EXPECT_EQ(numbers[5], 23);
}

}  // namespace
}  // namespace quillon
