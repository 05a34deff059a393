#include "base/text.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(TextTest, Placeholder) { EXPECT_EQ(substring("hello", 2, 3), "ell"); }

}  // namespace
}  // namespace quillon
