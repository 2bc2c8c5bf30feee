// Stored window geometry is in twips; the screen's DPI decides how many pixels that is.
#include <gtest/gtest.h>

#include "fixture.h"

namespace vornix::test {
namespace {

TEST(WindowGeometry, StoredTwipsKeepTheirSizeInInchesAtEveryDpi) {
  struct Case {
    int dpi;
    Rect shown;  // the window the stored 1500/750/7050/4500 twips give
  };
  const Case cases[] = {
      {96, {100, 50, 470, 300}},
      {120, {125, 63, 588, 375}},
      {144, {150, 75, 705, 450}},
      {0, {100, 50, 470, 300}},  // an unreadable DPI counts as 96
  };
  for (const Case& c : cases) {
    Program p;
    p.set("winLeft", "1500");
    p.set("winTop", "750");
    p.set("winWidth", "7050");
    p.set("winHeight", "4500");
    p.app->screenDpi = c.dpi;
    p.start();
    EXPECT_EQ(c.shown.left, p.view.rect.left) << c.dpi;
    EXPECT_EQ(c.shown.top, p.view.rect.top) << c.dpi;
    EXPECT_EQ(c.shown.width, p.view.rect.width) << c.dpi;
    EXPECT_EQ(c.shown.height, p.view.rect.height) << c.dpi;

    // Unmoved, the window is stored as it was read (within a pixel's twips).
    p.frm->unload();
    const double twipsPerPixel = 1440.0 / (c.dpi > 0 ? c.dpi : 96);
    EXPECT_NEAR(7050, std::stod(ustr::toUtf8(p.stored("winWidth"))), twipsPerPixel / 2) << c.dpi;
    EXPECT_NEAR(750, std::stod(ustr::toUtf8(p.stored("winTop"))), twipsPerPixel / 2) << c.dpi;
  }
}

TEST(WindowGeometry, NoWindowSmallerThanTheSmallestOrOffTheScreen) {
  struct Case {
    int dpi;
    const char *left, *width, *height;
    Rect shown;
  };
  const Case cases[] = {
      {96, "0", "100", "100", {0, 67, 305, 277}},
      {144, "0", "100", "100", {0, 100, 458, 416}},
      // Damaged numbers read as their defaults.
      {144, "1e300", "-1e300", "100", {100, 100, 705, 416}},
  };
  for (const Case& c : cases) {
    Program p;
    p.set("winLeft", c.left);
    p.set("winWidth", c.width);
    p.set("winHeight", c.height);
    p.app->screenDpi = c.dpi;
    p.start();
    EXPECT_EQ(c.shown.left, p.view.rect.left) << c.dpi << c.left;
    EXPECT_EQ(c.shown.top, p.view.rect.top) << c.dpi << c.left;
    EXPECT_EQ(c.shown.width, p.view.rect.width) << c.dpi << c.left;
    EXPECT_EQ(c.shown.height, p.view.rect.height) << c.dpi << c.left;
  }
}

}  // namespace
}  // namespace vornix::test
