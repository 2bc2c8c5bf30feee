// Stored window geometry is in twips; the screen's DPI decides how many pixels that is.
#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {
namespace {

// Stored positions are numbers in text, written by this program or by hand.
TEST(WindowGeometry, StoredNumbersReadWithPointOrCommaAndDamagedOnesAreRefused) {
  const struct {
    const char* text;
    bool read;
    double value;
  } cases[] = {
      {"1500", true, 1500},   {" -90000 ", true, -90000}, {"1,5", true, 1.5},   {"0.1", true, 0.1},
      {"+5", true, 5},        {".25", true, 0.25},        {"7.", true, 7},      {"1e3", true, 1000},
      {"2.5E-1", true, 0.25}, {"000123", true, 123},      {"0e999", true, 0},      {"12345678901234567890", true, 12345678901234567890.0},
      {"", false, 0},         {"-", false, 0},            {".", false, 0},      {"1.5.3", false, 0},
      {"1e", false, 0},       {"12abc", false, 0},        {"inf", false, 0},    {"nan", false, 0},
      {"1e400", false, 0},    {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    double value = -1;
    EXPECT_EQ(c.read, ustr::parseNumber(T(c.text), value)) << c.text;
    if (c.read) {
      EXPECT_DOUBLE_EQ(c.value, value) << c.text;
    }
  }
}

TEST(WindowGeometry, StoredTwipsKeepTheirSizeInInchesAtEveryDpiButNoWindowIsTooSmallOrOffTheScreen) {
  const struct {
    int dpi;
    const char *left, *width, *height;
    Rect shown;
  } cases[] = {
      {96, "1500", "7050", "4500", {100, 50, 470, 300}},
      {120, "1500", "7050", "4500", {125, 63, 588, 375}},
      {144, "1500", "7050", "4500", {150, 75, 705, 450}},
      {0, "1500", "7050", "4500", {100, 50, 470, 300}},  // an unreadable DPI counts as 96
      {96, "0", "100", "100", {0, 50, 305, 277}},
      {144, "0", "100", "100", {0, 75, 458, 416}},
      {144, "1e300", "-1e300", "100", {100, 75, 705, 416}},  // damaged numbers read as their defaults
  };
  for (const auto& c : cases) {
    Program p;
    p.setAll({{"winLeft", c.left}, {"winTop", "750"}, {"winWidth", c.width}, {"winHeight", c.height}});
    p.app->screenDpi = c.dpi;
    p.start();
    const Rect& r = p.view.rect;
    EXPECT_TRUE(r.left == c.shown.left && r.top == c.shown.top && r.width == c.shown.width && r.height == c.shown.height)
        << c.dpi << " " << c.left << ": " << r.left << " " << r.top << " " << r.width << " " << r.height;
    // Unmoved, the window is stored as it was read (within a pixel's twips).
    if (std::string(c.width) != "7050") continue;
    p.frm->unload();
    const double twipsPerPixel = 1440.0 / (c.dpi > 0 ? c.dpi : 96);
    EXPECT_NEAR(7050, std::stod(ustr::toUtf8(p.stored("winWidth"))), twipsPerPixel / 2) << c.dpi;
    EXPECT_NEAR(750, std::stod(ustr::toUtf8(p.stored("winTop"))), twipsPerPixel / 2) << c.dpi;
  }
}

}  // namespace
}  // namespace vornix::test
