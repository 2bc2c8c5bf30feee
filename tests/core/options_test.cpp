#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {

TEST(OptionTable, TextAndTypedFormsReadAlikeAndWhatDoesNotConvertReadsAsTheDefault) {
  struct Case { OptionValue value; bool asChoice; long asNumber; };
  const Case cases[] = {
      {Text(u"1"), true, 1},         {std::int32_t{1}, true, 1},   {std::int16_t{1}, true, 1},
      {Text(u"0"), false, 0},        {std::int32_t{0}, false, 0},  {Text(u"True"), true, -1},
      {Text(u"true"), true, -1},     {true, true, -1},             {Text(u"-1"), true, -1},
      {Text(u"False"), false, 0},    {false, false, 0},            {Text(u" 7 "), true, 7},
  };
  for (const Case& c : cases) {
    OptionTable o;
    o.setOption(kProtocolQuant, c.value);
    o.setOption(kProtocolMode, c.value);
    EXPECT_EQ(o.isTrue(kProtocolQuant), c.asChoice) << optionText(c.value).size();
    EXPECT_EQ(o.number(kProtocolMode), c.asNumber);
  }
  // What does not convert reads as the default, kept as it was for saving; add keeps the first value.
  OptionTable o;
  o.add(kQuestionQuit, Text(u"abc"));
  o.add(kQuestionQuit, Text(u"0"));
  o.add(kRegSave, Text(u"maybe"));
  o.add(kLimitSizeKB, Text(u"1e3"));
  EXPECT_EQ(o.number(kQuestionQuit), 1);
  EXPECT_FALSE(o.isTrue(kRegSave));
  EXPECT_EQ(o.number(kLimitSizeKB), 1024);
  EXPECT_EQ(o.text(kQuestionQuit), u"abc");  // kept as it was for saving
  // Set replaces across types; a key not in use is no error.
  o.setOption(kOSDSec, std::int32_t{30});
  EXPECT_EQ(o.text(kOSDSec), u"30");
  o.setOption(kRegSave, true);
  EXPECT_EQ(o.text(kRegSave), u"True");
  o.setOption(31, Text(u"x"));
  EXPECT_EQ(o.text(31), u"x");
}

TEST(CheckSizeLimit, AcceptsTheLimitAndRejectsOneMoreExceptWhileStartingOrWhenSwitchedOff) {
  Running p;
  EXPECT_TRUE(p.app->checkSizeLimit(1048576));
  EXPECT_FALSE(p.app->checkSizeLimit(1048577));
  p.app->options.setOption(kLimitSizeKB, std::int32_t{1});
  EXPECT_TRUE(p.app->checkSizeLimit(1024));
  EXPECT_FALSE(p.app->checkSizeLimit(1025));
  p.app->startupFlag = true;
  EXPECT_TRUE(p.app->checkSizeLimit(50000000));
  p.app->startupFlag = false;
  p.app->options.setOption(kLimitSize, Text(u"0"));
  EXPECT_TRUE(p.app->checkSizeLimit(50000000));
}

}  // namespace vornix::test
