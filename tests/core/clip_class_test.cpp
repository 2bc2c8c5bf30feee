#include <gtest/gtest.h>

#include <tuple>

#include "fixture.h"

namespace vornix::test {

TEST(ClipClass, ClassifiesUrlsAndMailAddresses) {
  using Kind = std::tuple<bool, int, int>;  // text, URL scheme, mail address
  const auto classify = [](const Text& text) {
    ClipClass c(CodePage::windows1252());
    c.setClipText(text);
    return Kind{c.isText, c.isURL, c.isEMail};
  };
  const Text longUrl = u"http://" + Text(249, u'a');  // 256 characters
  const std::pair<Text, Kind> cases[] = {
      {u"http://example.org", {true, 2, 0}},
      {u"HTTPS://EXAMPLE.ORG", {true, 3, 0}},
      {u"file:C:\\x", {true, 4, 0}}, {u"ftp:host", {true, 5, 0}}, {u"gopher:x", {true, 6, 0}},
      {u" http://example.org", {true, 0, 0}},
      {u"http://exa mple.org", {true, 0, 0}},
      {u"http://example.org\r\n", {true, 0, 0}},
      {u"a@bcd.ef", {true, 0, 1}},
      {u"a@bc.ef", {true, 0, 0}},        // two between "@" and the last point
      {u"a@bcd.e", {true, 0, 0}},        // one after the last point
      {u"@abcdef.gh", {true, 0, 0}},     // an "@" in the first position does not count
      {u"mailto:joe@example.com", {true, 1, 2}}, {u"MailTo:joe@example.com", {true, 1, 2}},
      {u"http://joe@example.com", {true, 2, 1}},
      {u"a\x01" u"b", {false, 0, 0}}, {u"a\tb\r\nc", {true, 0, 0}}, {u"", {true, 0, 0}},
      {u"\x4e2d@abcd.ef", {true, 0, 1}},  // a character outside the code page is no control character
      {longUrl, {true, 0, 0}}, {longUrl.substr(1), {true, 0, 0}}, {longUrl.substr(0, 255), {true, 2, 0}},
  };
  for (const auto& [text, kind] : cases) EXPECT_EQ(classify(text), kind) << ustr::toUtf8(text);
}

TEST(ClipClass, SetReturnsThePreviousTextAndCountsGetPassesTheFailureOnClearReturnsTheTextItRemoved) {
  fake::FakeClipboard cb;
  ClipClass c(CodePage::windows1252());
  EXPECT_EQ(c.setClipboard(cb), u"");  // empty text: nothing happens
  EXPECT_EQ(cb.writes, 0);
  EXPECT_EQ(c.ClipQuantity(), 0);
  cb.setPicture();
  c.setClipText(u"hello");
  EXPECT_EQ(c.setClipboard(cb), u"");
  EXPECT_EQ(cb.text, u"hello");
  EXPECT_EQ(c.ClipQuantity(), 1);
  c.setClipText(u"next");
  EXPECT_EQ(c.setClipboard(cb), u"hello");
  EXPECT_EQ(c.ClipQuantity(), 2);
  // A clipboard that cannot be opened: nothing was used, nothing counts.
  cb.failAll = true;
  platform::ClipStatus written;
  EXPECT_EQ(c.setClipboard(cb, &written), u"");
  EXPECT_EQ(written, platform::ClipStatus::Failed);
  EXPECT_EQ(c.ClipQuantity(), 2);
  cb.failAll = false;
  c.setClipQuantity(2147483647);
  c.setClipboard(cb);
  EXPECT_EQ(c.ClipQuantity(), 2147483647);
  // A busy clipboard leaves the clip as it was.
  c.setClipText(u"old");
  platform::ClipStatus status;
  cb.busyReads = 1;
  cb.set(u"http://x.org");
  EXPECT_EQ(c.getClipboard(cb, status), u"");
  EXPECT_EQ(status, platform::ClipStatus::Busy);
  EXPECT_EQ(c.clipText(), u"old");
  EXPECT_EQ(c.getClipboard(cb, status), u"http://x.org");
  EXPECT_EQ(status, platform::ClipStatus::Ok);
  EXPECT_EQ(c.isURL, 2);
  // Clearing hands back the text it removed; a clipboard without text keeps the clip.
  EXPECT_EQ(c.clearClipboard(cb), u"http://x.org");
  EXPECT_FALSE(cb.hasTextFormat);
  EXPECT_EQ(c.clearClipboard(cb), u"");
  cb.setPicture();
  EXPECT_EQ(c.getClipboard(cb, status), u"");
  EXPECT_EQ(c.clipText(), u"http://x.org");
}

TEST(ClipClass, TrimReclassifiesButOtherToolsDoNot) {
  ClipClass c(CodePage::windows1252());
  c.setClipText(u"  http://x.org  ");
  EXPECT_EQ(c.isURL, 0);
  c.txtUCase();
  EXPECT_EQ(c.isURL, 0);
  c.txtTrim();
  EXPECT_EQ(c.clipText(), u"HTTP://X.ORG");
  EXPECT_EQ(c.isURL, 2);
  EXPECT_EQ(c.UnCite(u""), u"");
  EXPECT_EQ(c.clipText(), u"HTTP://X.ORG");
  EXPECT_EQ(c.txtLCase(), T("http://x.org"));
  c.setClipText(T("Ärger Straße"));
  EXPECT_EQ(c.txtUCase(), T("ÄRGER STRAßE"));
  EXPECT_EQ(c.txtLCase(), T("ärger straße"));
}

}  // namespace vornix::test
