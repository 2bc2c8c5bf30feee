#include "core/clip/transforms.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "base/ustr.h"

namespace vornix::transforms {

namespace {

const CodePage& cp1252() { return CodePage::windows1252(); }

Text T(const char* utf8) { return ustr::fromUtf8(utf8); }

// A code page with no character for bytes 160 and 164, as where they are lead bytes,
// and one whose byte 164 is the new sheqel sign, as in the Hebrew code page.
CodePage withBytes(char16_t at160, char16_t at164) {
  std::array<char16_t, 256> chars{};
  for (int b = 0; b < 256; ++b) chars[b] = cp1252().fromAnsi(static_cast<unsigned char>(b));
  chars[160] = at160;
  chars[164] = at164;
  return CodePage(chars);
}

// Texts glued from pieces chosen at random, so that the interesting neighbours (line
// ends, blanks, marks, entity and escape fragments) meet often.
Text generated(std::mt19937& rng, const std::vector<Text>& pieces, int maxPieces) {
  Text t;
  for (int n = std::uniform_int_distribution<int>(0, maxPieces)(rng); n > 0; --n)
    t += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(rng)];
  return t;
}

const std::vector<Text> kLinePieces = {
    u"a", u"b", u"q", u"Q", u">", u"> ", u" ", u"  ", u"\t", u"\r", u"\n", u"\r\n",
    u"<***paragraph***>", u"<***PARAGRAPH***>", u"<***para", u"graph***>", T("ä")};

const std::vector<Text> kCharPieces = {
    u"%", u"&", u";", u"<", u">", u"\"", T("ä"), T("Ä"), T("ö"), T("ß"), T("€"), T("\u00A0"), T("\u00A4"),
    u"\r", u"\n", u"\t", u" ", u"a", u"Z", u"2", u"4", u"5", u"A", u"F", T("中"), Text(1, 0xD800),
    u"amp", u"lt", u"euro", u"auml", u"25", u"41", u"&auml;", u"&euro;", u"&nbsp;", u"&Auml", u"&EURO;", u"&frac12;"};

// The written rules, replacement by replacement, to hold the one-pass versions against.
Text rep(TextView s, TextView from, TextView to) { return ustr::replaceAllNoCase(s, from, to); }

Text untilStable(Text t, const std::function<Text(const Text&)>& step) {
  size_t length;
  do {
    length = t.size();
    t = step(t);
  } while (t.size() != length);
  return t;
}

Text stepwiseReformat(Text t) {
  const Text p = u"<***paragraph***>";
  t = rep(rep(rep(t, u"\r\n\r\n", p), u"\n\n", p), u"\r\r", p);
  t = ustr::trimSpaces(rep(rep(rep(t, u"\r\n", u" "), u"\n", u" "), u"\r", u" "));
  for (const Text w : {u" ", u"\t"}) {
    t = untilStable(t, [&](const Text& s) { return ustr::trimSpaces(rep(s, p + w, p)); });
    t = untilStable(t, [&](const Text& s) { return ustr::trimSpaces(rep(s, w + p, p)); });
  }
  t = untilStable(t, [](const Text& s) { return ustr::trimSpaces(rep(s, u"  ", u" ")); });
  return rep(t, p, u"\r\n\r\n");
}

Text stepwiseRemoveBeginningWS(const Text& t) {
  return untilStable(t, [](const Text& s) { return rep(rep(s, u"\n ", u"\n"), u"\r ", u"\r"); });
}

Text stepwiseUnCite(Text t, const Text& c) {
  if (ustr::startsWith(t, c)) t = t.substr(c.size());
  return stepwiseRemoveBeginningWS(rep(rep(t, u"\n" + c, u"\n"), u"\r" + c, u"\r"));
}

Text stepwiseRemoveWhiteSpaces(const Text& t) {
  return untilStable(ustr::trimSpaces(rep(t, u"\t", u" ")),
                     [](const Text& s) { return ustr::trimSpaces(rep(s, u"  ", u" ")); });
}

Text stepwiseRemoveCrLf(const Text& t) {
  Text s = ustr::trimSpaces(rep(t, u"\r\n", u" "));
  return ustr::trimSpaces(rep(ustr::trimSpaces(rep(s, u"\r", u" ")), u"\n", u" "));
}

Text stepwiseRemoveEmptyRows(const Text& t) {
  Text s = ustr::trimSpaces(rep(t, u"\r\n\r\n", u"\r\n"));
  return ustr::trimSpaces(rep(ustr::trimSpaces(rep(s, u"\r\r", u"\r")), u"\n\n", u"\n"));
}

Text rowByRowEntity(Text t, bool toEntity) {
  for (const auto& [ch, entity] : entityTable(cp1252()))
    t = toEntity ? ustr::replaceAll(t, ch, entity) : ustr::replaceAll(t, entity, ch);
  return t;
}

Text codeByCodeEscape(Text t) {
  std::vector<int> order{37};
  for (int c = 0; c < 256; ++c) {
    bool kept = c == 37 || c == 42 || c == 45 || c == 46 || c == 95 || (c >= 48 && c <= 57) ||
                (c >= 65 && c <= 90) || (c >= 97 && c <= 122);
    if (!kept) order.push_back(c);
  }
  const char* hex = "0123456789ABCDEF";
  for (int c : order)
    t = ustr::replaceAll(t, Text(1, cp1252().fromAnsi(static_cast<unsigned char>(c))),
                         Text{u'%', static_cast<char16_t>(hex[c >> 4]), static_cast<char16_t>(hex[c & 15])});
  return t;
}

bool holdsAnEntity(const Text& t) {
  for (const auto& row : entityTable(cp1252()))
    if (t.find(row.second) != Text::npos) return true;
  return false;
}

struct Case { Text in, out; };

void expectAll(const std::function<Text(const Text&)>& f, std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(f(c.in), c.out) << ustr::toUtf8(c.in);
}

}  // namespace

TEST(CleanUp, ReformatAndEachCleanUpMatchTheStepwiseRulesOnGeneratedTexts) {
  std::mt19937 rng{20240611};
  const Text cites[] = {u">", u"> ", u" >", u"q", u"\n", u"\r\n>", u">>"};
  for (int i = 0; i < 4000; ++i) {
    const Text t = generated(rng, kLinePieces, 14);
    const Text& cite = cites[i % std::size(cites)];
    ASSERT_EQ(reformat(t), stepwiseReformat(t)) << ustr::toUtf8(t);
    ASSERT_EQ(removeBeginningWS(t), stepwiseRemoveBeginningWS(t)) << ustr::toUtf8(t);
    ASSERT_EQ(unCite(t, cite), stepwiseUnCite(t, cite)) << ustr::toUtf8(t) << " / " << ustr::toUtf8(cite);
    ASSERT_EQ(removeWhiteSpaces(t), stepwiseRemoveWhiteSpaces(t)) << ustr::toUtf8(t);
    ASSERT_EQ(removeCrLf(t), stepwiseRemoveCrLf(t)) << ustr::toUtf8(t);
    ASSERT_EQ(removeEmptyRows(t), stepwiseRemoveEmptyRows(t)) << ustr::toUtf8(t);
  }
}

// What the generated texts do not reach: other marks, long runs, the paragraph marker's case;
// and the umlauts' transcription.
TEST(CleanUp, EachRuleOnItsEdgeCases) {
  expectAll(unUmlaut, {{T("ÄRGER"), u"AeRGER"}, {T("Straße"), u"Strasse"}, {T("äöüÄÖÜß é"), u"aeoeueAeOeUess é"}});
  expectAll(reformat, {{u"a<***PaRaGrApH***>b", u"a\r\n\r\nb"}, {u"a \t\r\n\r\n \t b", u"a \r\n\r\n b"}});
  // One quotation level; a letter mark is exact at the start and any case after a line end.
  expectAll([](const Text& t) { return unCite(t, u">"); }, {{u">> a\r\n> b", u"> a\r\nb"}, {u">", u""}});
  EXPECT_EQ(unCite(u"Qa\nQb\rqc", u"q"), u"Qa\nb\rc");
  EXPECT_EQ(unCite(u"> a\n  b", u""), u"> a\n  b");  // no mark: nothing changes
  expectAll(removeWhiteSpaces, {{u" a\t\tb  ", u"a b"}, {Text(100000, u' ') + u"a", u"a"}});
  expectAll(removeCrLf, {{u"a\r\r\nb\n\rc", u"a  b  c"}});
  expectAll(removeEmptyRows, {{u"a\n\n\n\nb\r\r\rc", u"a\n\nb\r\rc"}, {u" \r\n\r\n ", u"\r\n"}});
}

// Each entity or escape is decoded once; what does not spell one stays as it is. The generated
// texts check the rest against the tables.
TEST(Encodings, DecodeEachEntityAndEscapeOnce) {
  EXPECT_EQ(transformTagEntity(u"a<b & \"c\"", true), u"a&lt;b &amp; &quot;c&quot;");
  expectAll([](const Text& t) { return transformTagEntity(t, false); },
            {{u"a&lt;b &amp; &quot;c&quot;", u"a<b & \"c\""}, {u"&amp;lt;", u"&lt;"}, {u"&amp;amp;", u"&amp;"},
             {u"&amp", u"&amp"}, {u"&AMP;", u"&AMP;"}, {u"&nbsp;", u"&nbsp;"}, {u"&&gt;", u"&>"}, {u"&", u"&"},
             {u"a & b;", u"a & b;"}});
  // Row 70 (the currency sign) comes before row 98 (the euro sign's).
  expectAll([](const Text& t) { return transformEntity(t, true, cp1252()); },
            {{T("\u00A4"), u"&curren;"}, {T("ÞþÐð¼"), u"&THORN;&thorn;&ETH;&eth;&frac14;"}});
  expectAll([](const Text& t) { return transformEntity(t, false, cp1252()); },
            {{u"&euro;&curren;&Auml;", T("€\u00A4Ä")}, {u"&AUML;", u"&AUML;"}, {u"&Euro;", u"&Euro;"},
             {u"&plusmnx;", u"&plusmnx;"}, {u"&auml&ouml;", T("&aumlö")}});
  expectAll([](const Text& t) { return escape(t, cp1252()); },
            {{u"AZaz09-_.*", u"AZaz09-_.*"}, {u"@/\n+,~", u"%40%2F%0A%2B%2C%7E"}, {Text(1, 0), u"%00"}});
  expectAll([](const Text& t) { return unescape(t, cp1252()); },
            {{u"%E4%80%81", T("ä€\u0081")}, {u"%41%2541", u"A%41"}, {u"%%341", u"%41"}, {u"%e4", u"%e4"},
             {u"%", u"%"}, {u"a%4", u"a%4"}, {u"%G1%1G", u"%G1%1G"}});
  // The code page's rows follow the code page.
  const CodePage hebrew = withBytes(0x00A0, 0x20AA);
  EXPECT_EQ(transformEntity(T("₪\u00A4"), true, hebrew), u"&euro;&curren;");
  EXPECT_EQ(transformEntity(u"&euro;", false, hebrew), T("€"));
  // Without a character for the byte the row does nothing, rather than decode to nothing.
  const CodePage leadBytes = withBytes(0xFFFF, 0xFFFF);
  EXPECT_EQ(transformEntity(u"&nbsp;", false, leadBytes), u"&nbsp;");
  EXPECT_EQ(transformEntity(T("\u00A0"), true, leadBytes), T("\u00A0"));
  EXPECT_EQ(unescape(u"%A0%A4", leadBytes), u"%A0%A4");  // lead bytes stay escaped
}

TEST(Encodings, MatchTheRowByRowAndCodeByCodeRulesAndRoundTripOnGeneratedTexts) {
  std::mt19937 rng{20240611};
  int entityRoundTrips = 0;
  for (int i = 0; i < 4000; ++i) {
    const Text t = generated(rng, kCharPieces, 20);
    ASSERT_EQ(transformTagEntity(transformTagEntity(t, true), false), t) << ustr::toUtf8(t);
    const Text escaped = escape(t, cp1252());
    ASSERT_EQ(escaped, codeByCodeEscape(t)) << ustr::toUtf8(t);
    ASSERT_EQ(unescape(escaped, cp1252()), t) << ustr::toUtf8(t);
    const Text encoded = transformEntity(t, true, cp1252());
    ASSERT_EQ(encoded, rowByRowEntity(t, true)) << ustr::toUtf8(t);
    ASSERT_EQ(transformEntity(t, false, cp1252()), rowByRowEntity(t, false)) << ustr::toUtf8(t);
    // A text that already holds an entity cannot come back: decoding does not know it.
    if (holdsAnEntity(t)) continue;
    ++entityRoundTrips;
    ASSERT_EQ(transformEntity(encoded, false, cp1252()), t) << ustr::toUtf8(t);
  }
  EXPECT_GT(entityRoundTrips, 1000);
}

TEST(BadInput, CharactersOutsideTheCodePageAndSurrogatesPassThrough) {
  const Text odd = T("中") + Text{0xD800, 0xDC00, 0xDFFF, 0xFFFF, 0xFFFE};
  const std::function<Text(const Text&)> all[] = {
      reformat, removeBeginningWS, removeWhiteSpaces, removeCrLf, removeEmptyRows, unUmlaut,
      [](const Text& t) { return unCite(t, u">"); }, [](const Text& t) { return transformTagEntity(t, true); },
      [](const Text& t) { return transformTagEntity(t, false); },
      [](const Text& t) { return transformEntity(t, true, cp1252()); },
      [](const Text& t) { return transformEntity(t, false, cp1252()); },
      [](const Text& t) { return escape(t, cp1252()); }, [](const Text& t) { return unescape(t, cp1252()); },
  };
  for (const auto& f : all) EXPECT_TRUE(f(odd) == odd && f(u"").empty());
}

}  // namespace vornix::transforms
