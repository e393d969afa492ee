#include "scene/render_limits.h"

#include <gtest/gtest.h>

#include <string>

#include "scene/render_param.h"

namespace {

TEST(RenderLimits, EachBoundedParameterUpToItsLimitAndBeyond) {
  struct Case {
    int GParam::*key;
    int value;
    std::string error;
  } cases[] = {
      {&GParam::mode, 256, ""},
      {&GParam::mode, -40, ""},
      {&GParam::mode, 1000000, "mode 1000000 is more than 256, the largest allowed"},
      {&GParam::anti_alias, 8, ""},
      {&GParam::anti_alias, -7, ""},
      {&GParam::anti_alias, 1000000, "anti_alias 1000000 is more than 8, the largest allowed"},
      {&GParam::jitterfreq, 4096, ""},
      {&GParam::jitterfreq, 2147483647, "jitterfreq 2147483647 is more than 4096, the largest allowed"},
      {&GParam::AngleFreq, 1000000, ""},
      {&GParam::AngleFreq, 1000001, "AngleFreq 1000001 is more than 1000000, the largest allowed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    GParam param;
    param.*c.key = c.value;
    EXPECT_EQ(zavo::RenderLimitError(param), c.error);
  }
  EXPECT_EQ(zavo::RenderLimitError(GParam{}), "");
}

}  // namespace
