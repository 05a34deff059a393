#include "base/field_reader.h"

#include "base/text.h"

namespace quillon {
namespace field_detail {

int32_t number_from_field(const std::string& raw) {
  std::string field = raw;
  if (!field.empty() && field.front() == '"') field.erase(0, 1);
  if (!field.empty() && field.back() == '"') field.pop_back();
  if ((!field.empty() && field[0] == '&') || field.find_first_of(".eEdD") != std::string::npos) {
    return round_to_int32(text_to_number(field));
  }
  size_t i = 0;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  uint32_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10u + static_cast<uint32_t>(field[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

}  // namespace field_detail
}  // namespace quillon
