#include "core/clip/transforms.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/ustr.h"

// Every operation is defined as a sequence of whole-text replacements, several of them
// "repeated until stable". Running them that way costs one pass per replacement and, for
// the repeated ones, up to one pass per character of the longest run; the functions below
// compute the same result in one left-to-right scan instead. Where a replacement can only
// act inside a run of line-end characters, that run is handled on its own with the
// replacements in their order: no replacement reaches across a character that is
// neither CR nor LF, so runs are independent of each other and of the rest of the text.

namespace vornix::transforms {

namespace {

using namespace std::string_view_literals;

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kTab = u'\t';
constexpr char16_t kSpace = u' ';
constexpr char16_t kNoChar = 0xFFFF;  // as in CodePage: a byte without a character

// Written in lower case: it is matched in any letter case.
constexpr TextView kParagraph = u"<***paragraph***>";
constexpr TextView kParagraphBreak = u"\r\n\r\n";

bool isLineEnd(char16_t c) { return c == kCr || c == kLf; }
bool isBlank(char16_t c) { return c == kSpace || c == kTab; }

bool matchesNoCase(TextView text, size_t pos, TextView pattern) {
  if (text.size() - pos < pattern.size()) return false;
  for (size_t k = 0; k < pattern.size(); ++k)
    if (ustr::toLower(text[pos + k]) != ustr::toLower(pattern[k])) return false;
  return true;
}

// Leftmost non-overlapping replacement in place; `to` is never longer than `from`, so
// the write position never overtakes the read position.
void replaceInPlace(Text& s, TextView from, TextView to) {
  size_t r = 0, w = 0;
  while (r < s.size()) {
    if (TextView(s).substr(r, from.size()) == from) {
      std::copy(to.begin(), to.end(), s.begin() + static_cast<std::ptrdiff_t>(w));
      w += to.size();
      r += from.size();
    } else {
      s[w++] = s[r++];
    }
  }
  s.resize(w);
}

// Position after the next line end (or the text's end) from i on.
size_t lineEnd(TextView text, size_t i) {
  while (i < text.size() && !isLineEnd(text[i])) ++i;
  return i < text.size() ? i + 1 : i;
}

// Replaces single characters by texts; `replacement(c)` is empty for one that stays.
// Counting first gives the result its exact size, so a long text is never moved while
// it grows and the entry keeps no spare capacity.
template <typename Replacement>
Text mapCharacters(TextView text, Replacement replacement) {
  size_t size = text.size();
  for (char16_t c : text) size += std::max<size_t>(replacement(c).size(), 1) - 1;
  Text out(size, u'\0');
  char16_t* w = out.data();
  for (char16_t c : text) {
    const TextView r = replacement(c);
    if (r.empty()) {
      *w++ = c;
    } else {
      for (char16_t x : r) *w++ = x;  // a few characters: cheaper than a call to memmove
    }
  }
  return out;
}

size_t lineEndRunEnd(TextView text, size_t i) {
  while (i < text.size() && isLineEnd(text[i])) ++i;
  return i;
}

// Collects the output of reformat. Blanks are written as they come and put right when
// their run ends, because only then is it known whether a paragraph follows.
class ParagraphWriter {
 public:
  explicit ParagraphWriter(size_t expected) { out_.reserve(expected); }

  void character(char16_t c) {
    if (isBlank(c)) {
      if (!inRun_) openRun();
      out_.push_back(c);
      return;
    }
    closeRun(false, false);
    out_.push_back(c);
    afterParagraph_ = false;
    started_ = true;
  }

  // Characters that are neither blanks nor line ends nor a paragraph.
  void word(TextView w) {
    closeRun(false, false);
    out_.append(w);
    afterParagraph_ = false;
    started_ = true;
  }

  void paragraph() {
    closeRun(true, false);
    out_.append(kParagraphBreak);
    afterParagraph_ = true;
    started_ = true;
  }

  Text finish() {
    closeRun(false, true);
    return std::move(out_);
  }

 private:
  void openRun() {
    inRun_ = true;
    runStart_ = out_.size();
    runAtStart_ = !started_;
    runAfterParagraph_ = afterParagraph_;
  }

  // The run loses, in this order: spaces at the text's ends and next to a paragraph,
  // then TABs next to a paragraph; what is left of its spaces collapses to single ones.
  // A TAB shields the spaces behind it from the first step, as in the step-wise rule.
  void closeRun(bool beforeParagraph, bool atEnd) {
    if (!inRun_) return;
    inRun_ = false;
    size_t lo = runStart_, hi = out_.size();
    if (runAtStart_ || runAfterParagraph_)
      while (lo < hi && out_[lo] == kSpace) ++lo;
    if (atEnd || beforeParagraph)
      while (hi > lo && out_[hi - 1] == kSpace) --hi;
    if (runAfterParagraph_)
      while (lo < hi && out_[lo] == kTab) ++lo;
    if (beforeParagraph)
      while (hi > lo && out_[hi - 1] == kTab) --hi;
    size_t w = runStart_;
    for (size_t r = lo; r < hi; ++r) {
      if (out_[r] == kSpace && w > runStart_ && out_[w - 1] == kSpace) continue;
      out_[w++] = out_[r];
    }
    out_.resize(w);
  }

  Text out_;
  bool started_ = false;
  bool afterParagraph_ = false;
  bool inRun_ = false;
  size_t runStart_ = 0;
  bool runAtStart_ = false;
  bool runAfterParagraph_ = false;
};

// Rows 19 and 98 take their character from the code page (codes 160 and 164).
struct EntityRow {
  char16_t ch;
  int ansiCode;  // -1: `ch` is fixed
  TextView entity;
};

constexpr int kEntityRows = 98;

constexpr EntityRow kEntities[kEntityRows] = {
    {0x00E4, -1, u"&auml;"},   {0x00C4, -1, u"&Auml;"},   {0x00F6, -1, u"&ouml;"},
    {0x00D6, -1, u"&Ouml;"},   {0x00FC, -1, u"&uuml;"},   {0x00DC, -1, u"&Uuml;"},
    {0x00EF, -1, u"&iuml;"},   {0x00CF, -1, u"&Iuml;"},   {0x00FF, -1, u"&yuml;"},
    {0x00EB, -1, u"&euml;"},   {0x00CB, -1, u"&Euml;"},   {0x00A9, -1, u"&copy;"},
    {0x00AE, -1, u"&reg;"},    {0x00A7, -1, u"&sect;"},   {0x00FE, -1, u"&thorn;"},
    {0x00DE, -1, u"&THORN;"},  {0x00D0, -1, u"&ETH;"},    {0x00F0, -1, u"&eth;"},
    {0, 160, u"&nbsp;"},       {0x00E8, -1, u"&egrave;"}, {0x00C8, -1, u"&Egrave;"},
    {0x00F2, -1, u"&ograve;"}, {0x00D2, -1, u"&Ograve;"}, {0x00F9, -1, u"&ugrave;"},
    {0x00D9, -1, u"&Ugrave;"}, {0x00EC, -1, u"&igrave;"}, {0x00CC, -1, u"&Igrave;"},
    {0x00E0, -1, u"&agrave;"}, {0x00C0, -1, u"&Agrave;"}, {0x00E9, -1, u"&eacute;"},
    {0x00C9, -1, u"&Eacute;"}, {0x00F3, -1, u"&oacute;"}, {0x00D3, -1, u"&Oacute;"},
    {0x00FA, -1, u"&uacute;"}, {0x00DA, -1, u"&Uacute;"}, {0x00ED, -1, u"&iacute;"},
    {0x00CD, -1, u"&Iacute;"}, {0x00E1, -1, u"&aacute;"}, {0x00C1, -1, u"&Aacute;"},
    {0x00FD, -1, u"&yacute;"}, {0x00DD, -1, u"&Yacute;"}, {0x00EA, -1, u"&ecirc;"},
    {0x00CA, -1, u"&Ecirc;"},  {0x00F4, -1, u"&ocirc;"},  {0x00D4, -1, u"&Ocirc;"},
    {0x00FB, -1, u"&ucirc;"},  {0x00DB, -1, u"&Ucirc;"},  {0x00EE, -1, u"&icirc;"},
    {0x00CE, -1, u"&Icirc;"},  {0x00E2, -1, u"&acirc;"},  {0x00C2, -1, u"&Acirc;"},
    {0x00E7, -1, u"&ccedil;"}, {0x00C7, -1, u"&Ccedil;"}, {0x00F1, -1, u"&ntilde;"},
    {0x00D1, -1, u"&Ntilde;"}, {0x00F5, -1, u"&otilde;"}, {0x00D5, -1, u"&Otilde;"},
    {0x00E3, -1, u"&atilde;"}, {0x00C3, -1, u"&Atilde;"}, {0x00E5, -1, u"&aring;"},
    {0x00C5, -1, u"&Aring;"},  {0x00DF, -1, u"&szlig;"},  {0x00E6, -1, u"&aelig;"},
    {0x00C6, -1, u"&AElig;"},  {0x00F8, -1, u"&oslash;"}, {0x00D8, -1, u"&Oslash;"},
    {0x00A1, -1, u"&iexcl;"},  {0x00A2, -1, u"&cent;"},   {0x00A3, -1, u"&pound;"},
    {0x00A4, -1, u"&curren;"}, {0x00A5, -1, u"&yen;"},    {0x00A6, -1, u"&brvbar;"},
    {0x00A8, -1, u"&die;"},    {0x00AA, -1, u"&ordf;"},   {0x00AB, -1, u"&laquo;"},
    {0x00AC, -1, u"&not;"},    {0x00AD, -1, u"&shy;"},    {0x00AF, -1, u"&macr;"},
    {0x00B0, -1, u"&deg;"},    {0x00B1, -1, u"&plusmn;"}, {0x00B2, -1, u"&sup2;"},
    {0x00B3, -1, u"&sup3;"},   {0x00B4, -1, u"&acute;"},  {0x00B5, -1, u"&micro;"},
    {0x00B6, -1, u"&para;"},   {0x00B7, -1, u"&middot;"}, {0x00B8, -1, u"&cedil;"},
    {0x00B9, -1, u"&sup1;"},   {0x00BA, -1, u"&ordm;"},   {0x00BB, -1, u"&raquo;"},
    {0x00BC, -1, u"&frac14;"}, {0x00BD, -1, u"&frac12;"}, {0x00BE, -1, u"&frac34;"},
    {0x00BF, -1, u"&iquest;"}, {0x00D7, -1, u"&times;"},  {0x00F7, -1, u"&divide;"},
    {0x20AC, -1, u"&euro;"},   {0, 164, u"&euro;"},
};

// kNoChar when the code page has no character for the row's byte: such a row then
// matches nothing in either direction, so no entity is ever decoded into nothing.
char16_t rowChar(const EntityRow& row, const CodePage& cp) {
  return row.ansiCode < 0 ? row.ch : cp.fromAnsi(static_cast<unsigned char>(row.ansiCode));
}

// Character -> first row that holds it; a later row with the same character (row 98 next
// to row 70 in the Western code page) never sees it, because the earlier row has already
// turned every occurrence into its entity. Entities are plain ASCII and no row's
// character is, so no row can change what an earlier row wrote.
class EntityEncoder {
 public:
  explicit EntityEncoder(const CodePage& cp) {
    latin1_.fill(-1);
    for (int r = 0; r < kEntityRows; ++r) {
      const char16_t c = rowChar(kEntities[r], cp);
      if (c != kNoChar && find(c) < 0) add(c, r);
    }
  }

  int find(char16_t c) const {
    if (c < lowest_) return -1;  // most text is ASCII
    if (c >= kLatin1First && c <= kLatin1Last) return latin1_[c - kLatin1First];
    for (int k = 0; k < otherCount_; ++k)
      if (others_[k].first == c) return others_[k].second;
    return -1;
  }

 private:
  static constexpr char16_t kLatin1First = 0xA0;
  static constexpr char16_t kLatin1Last = 0xFF;

  void add(char16_t c, int row) {
    lowest_ = std::min(lowest_, c);
    if (c >= kLatin1First && c <= kLatin1Last)
      latin1_[c - kLatin1First] = static_cast<std::int8_t>(row);
    else
      others_[otherCount_++] = {c, row};
  }

  std::array<std::int8_t, kLatin1Last - kLatin1First + 1> latin1_;
  // The euro sign and the two code-page characters are the only ones outside Latin-1.
  std::array<std::pair<char16_t, int>, 3> others_{};
  int otherCount_ = 0;
  char16_t lowest_ = kNoChar;
};

// Entity names are at most 6 ASCII letters and digits; packed base 128 they give a
// unique, non-zero number per name.
constexpr size_t kMaxEntityName = 6;

bool isAsciiAlnum(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Name number -> first row with that name ("&euro;" of row 97 hides row 98), hashed:
// one probe for nearly every lookup, where a search would branch unpredictably.
class EntityNames {
 public:
  EntityNames() {
    for (int r = 0; r < kEntityRows; ++r) {
      const TextView e = kEntities[r].entity;
      std::uint64_t key = 0;
      for (char16_t c : e.substr(1, e.size() - 2)) key = key * 128 + c;
      size_t slot = home(key);
      while (slots_[slot].key != 0 && slots_[slot].key != key) slot = (slot + 1) % kSlots;
      if (slots_[slot].key == 0) slots_[slot] = {key, r};
    }
  }

  int find(std::uint64_t key) const {
    for (size_t slot = home(key);; slot = (slot + 1) % kSlots) {
      if (slots_[slot].key == key) return slots_[slot].row;
      if (slots_[slot].key == 0) return -1;
    }
  }

 private:
  static constexpr size_t kSlots = 256;
  static size_t home(std::uint64_t key) { return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 56); }

  struct Slot {
    std::uint64_t key = 0;
    int row = -1;
  };
  std::array<Slot, kSlots> slots_{};
};

// Row of the entity "&name;" that starts at text[amp], or -1.
int entityAt(TextView text, size_t amp, size_t& length) {
  static const EntityNames names;
  std::uint64_t key = 0;
  size_t j = amp + 1;
  for (; j < text.size() && j - amp <= kMaxEntityName && isAsciiAlnum(text[j]); ++j) key = key * 128 + text[j];
  if (key == 0 || j == text.size() || text[j] != u';') return -1;
  const int row = names.find(key);
  if (row >= 0) length = j - amp + 1;
  return row;
}

// Copies `text` in one pass, handing each `mark` ("&" or "%") to `decode(position,
// length)`, which gives the character of the code there and its length, or kNoChar to
// keep the mark as it is. Each code is decoded once: what a decode yields is never read again.
template <typename Decode>
Text decodeAtMarks(TextView text, char16_t mark, Decode decode) {
  Text out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t at = std::min(text.find(mark, i), text.size());
    out.append(text.substr(i, at - i));
    if (at == text.size()) break;
    size_t length = 1;
    const char16_t c = decode(at, length);
    if (c == kNoChar) {
      out.push_back(mark);
      i = at + 1;
    } else {
      out.push_back(c);
      i = at + length;
    }
  }
  return out;
}

// Markup entity that starts at text[amp]: its character, or 0 when there is none.

char16_t markupAt(TextView text, size_t amp, size_t& length) {
  for (const auto& [ch, entity] : markupTable()) {
    if (text.substr(amp, entity.size()) == entity) {
      length = entity.size();
      return ch[0];
    }
  }
  return 0;
}

// Escape codes in the order they are applied: "%" first, so that no escape is escaped
// again. Letters, digits and * - . _ are never escaped.
constexpr std::pair<int, int> kEscapeOrder[] = {{37, 37}, {0, 36},   {38, 41},  {43, 44},  {47, 47},
                                                {58, 64}, {91, 94}, {96, 96}, {123, 255}};

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

int upperHexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

Text reformat(TextView text) {
  ParagraphWriter writer(text.size());
  Text run;
  for (size_t i = 0; i < text.size();) {
    const char16_t c = text[i];
    if (isLineEnd(c)) {
      const size_t end = lineEndRunEnd(text, i);
      if (end - i == 1) {
        writer.character(kSpace);
      } else {
        // 'P' stands for a paragraph: the run holds nothing else but CR and LF.
        run.assign(text.substr(i, end - i));
        replaceInPlace(run, u"\r\n\r\n", u"P");
        replaceInPlace(run, u"\n\n", u"P");
        replaceInPlace(run, u"\r\r", u"P");
        replaceInPlace(run, u"\r\n", u" ");
        for (char16_t r : run) {
          if (r == u'P') writer.paragraph(); else writer.character(kSpace);
        }
      }
      i = end;
    } else if (c == u'<' && matchesNoCase(text, i, kParagraph)) {
      writer.paragraph();
      i += kParagraph.size();
    } else if (isBlank(c) || c == u'<') {
      writer.character(c);
      ++i;
    } else {
      const size_t start = i;
      while (i < text.size() && !isLineEnd(text[i]) && !isBlank(text[i]) && text[i] != u'<') ++i;
      writer.word(text.substr(start, i - start));
    }
  }
  return writer.finish();
}

Text removeBeginningWS(TextView text) {
  // Copied whole and then closed up in place: an append per line (or filling new
  // room first) calls the string's own members, and the copies of those that the
  // linker keeps may be ones built for size.
  Text out(text);
  size_t written = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t line = i;
    i = lineEnd(text, i);
    // Up to the first space taken out, every line is in its place already.
    if (written != line)
      std::copy(text.begin() + static_cast<std::ptrdiff_t>(line), text.begin() + static_cast<std::ptrdiff_t>(i),
                out.begin() + static_cast<std::ptrdiff_t>(written));
    written += i - line;
    while (i < text.size() && text[i] == kSpace) ++i;
  }
  out.resize(written);
  return out;
}

Text unCite(TextView text, TextView citeChar) {
  // Nothing to remove; the caller never gets here, but the text must not be touched.
  if (citeChar.empty()) return Text(text);
  if (ustr::startsWith(text, citeChar)) text.remove_prefix(citeChar.size());

  // A mark that itself holds a line end can overlap the line ends it follows; only the
  // step-wise rule settles those cases. It is still linear: the mark has a fixed length.
  if (std::any_of(citeChar.begin(), citeChar.end(), isLineEnd)) {
    Text t = ustr::replaceAllNoCase(text, Text(1, kLf) + Text(citeChar), Text(1, kLf));
    t = ustr::replaceAllNoCase(t, Text(1, kCr) + Text(citeChar), Text(1, kCr));
    return removeBeginningWS(t);
  }

  // Otherwise the mark ends before the next line end, so the mark after each line end
  // and the spaces after that mark go in one step.
  Text out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t line = i;
    i = lineEnd(text, i);
    out.append(text.substr(line, i - line));
    if (i == 0 || !isLineEnd(text[i - 1])) break;
    if (matchesNoCase(text, i, citeChar)) i += citeChar.size();
    while (i < text.size() && text[i] == kSpace) ++i;
  }
  return out;
}

Text removeWhiteSpaces(TextView text) {
  size_t b = 0, e = text.size();
  while (b < e && isBlank(text[b])) ++b;
  while (e > b && isBlank(text[e - 1])) --e;
  // Written without branches on the text: blanks and words alternate unpredictably.
  Text out(e - b, u'\0');
  char16_t* w = out.data();
  bool previousBlank = false;
  for (size_t i = b; i < e; ++i) {
    const bool blank = isBlank(text[i]);
    *w = blank ? kSpace : text[i];
    w += !(blank && previousBlank);
    previousBlank = blank;
  }
  out.resize(static_cast<size_t>(w - out.data()));
  return out;
}

Text removeCrLf(TextView text) {
  // Every line end becomes a space, so the trims take line ends at both ends with them.
  auto blankOrLineEnd = [](char16_t c) { return c == kSpace || isLineEnd(c); };
  size_t b = 0, e = text.size();
  while (b < e && blankOrLineEnd(text[b])) ++b;
  while (e > b && blankOrLineEnd(text[e - 1])) --e;
  Text out;
  out.reserve(e - b);
  for (size_t i = b; i < e;) {
    const size_t line = i;
    while (i < e && !isLineEnd(text[i])) ++i;
    out.append(text.substr(line, i - line));
    if (i == e) break;
    out.push_back(kSpace);
    if (text[i] == kCr && text[i + 1] == kLf) ++i;  // i + 1 < e: text[e - 1] is no line end
    ++i;
  }
  return out;
}

Text removeEmptyRows(TextView text) {
  // The replacements only shorten runs of line ends and never remove a whole run, so
  // trimming first gives what trimming after each step gives.
  size_t b = 0, e = text.size();
  while (b < e && text[b] == kSpace) ++b;
  while (e > b && text[e - 1] == kSpace) --e;
  text = text.substr(b, e - b);

  Text out, run;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t line = i;
    while (i < text.size() && !isLineEnd(text[i])) ++i;
    out.append(text.substr(line, i - line));
    if (i == text.size()) break;
    const size_t end = lineEndRunEnd(text, i);
    if (end - i == 1 || (end - i == 2 && text[i] != text[i + 1])) {
      out.append(text.substr(i, end - i));  // a single line end: nothing to shorten
    } else {
      run.assign(text.substr(i, end - i));
      replaceInPlace(run, u"\r\n\r\n", u"\r\n");
      replaceInPlace(run, u"\r\r", u"\r");
      replaceInPlace(run, u"\n\n", u"\n");
      out.append(run);
    }
    i = end;
  }
  return out;
}

Text transformTagEntity(TextView text, bool toEntity) {
  if (toEntity) {
    // "&" is written only as the start of an entity, so no entity is doubled.
    return mapCharacters(text, [](char16_t c) -> TextView {
      switch (c) {
        case u'&': return u"&amp;"sv;
        case u'<': return u"&lt;"sv;
        case u'>': return u"&gt;"sv;
        case u'"': return u"&quot;"sv;
        default: return {};
      }
    });
  }
  // One pass, each entity decoded once: "&amp;lt;" gives back "&lt;", the text that was
  // encoded, instead of being decoded a second time into "<".
  return decodeAtMarks(text, u'&', [text](size_t amp, size_t& length) {
    const char16_t c = markupAt(text, amp, length);
    return c != 0 ? c : kNoChar;
  });
}

Text transformEntity(TextView text, bool toEntity, const CodePage& cp) {
  if (toEntity) {
    const EntityEncoder encoder(cp);
    return mapCharacters(text, [&encoder](char16_t c) {
      const int row = encoder.find(c);
      return row < 0 ? TextView() : kEntities[row].entity;
    });
  }
  // Decoded characters are never ASCII and entities are, so decoding row by row and
  // decoding each entity where it stands give the same text.
  return decodeAtMarks(text, u'&', [text, &cp](size_t amp, size_t& length) {
    const int row = entityAt(text, amp, length);
    return row < 0 ? kNoChar : rowChar(kEntities[row], cp);
  });
}

Text escape(TextView text, const CodePage& cp) {
  // For each character, by its (lowest) byte: the code it is escaped with, which is the
  // first code in the order above whose character it is; -1 for none.
  std::array<short, 256> codeOf;
  codeOf.fill(-1);
  for (const auto& [first, last] : kEscapeOrder) {
    for (int code = first; code <= last; ++code) {
      const char16_t c = cp.fromAnsi(static_cast<unsigned char>(code));
      const int byte = c == kNoChar ? -1 : cp.toAnsi(c);
      if (byte >= 0 && codeOf[byte] < 0) codeOf[byte] = static_cast<short>(code);
    }
  }
  std::array<std::array<char16_t, 3>, 256> escapes;
  for (int code = 0; code < 256; ++code) escapes[code] = {u'%', kHexDigits[code >> 4], kHexDigits[code & 15]};
  return mapCharacters(text, [&](char16_t c) {
    const int byte = cp.toAnsi(c);
    const int code = byte < 0 ? -1 : codeOf[byte];
    return code < 0 ? TextView() : TextView(escapes[code].data(), 3);
  });
}

Text unescape(TextView text, const CodePage& cp) {
  // Each escape decoded once: a "%" that %25 gives is a plain character, so unescape
  // inverts escape exactly ("%2541" gives "%41", not "A").
  return decodeAtMarks(text, u'%', [text, &cp](size_t pct, size_t& length) {
    const int hi = pct + 2 < text.size() ? upperHexValue(text[pct + 1]) : -1;
    const int lo = hi < 0 ? -1 : upperHexValue(text[pct + 2]);
    length = 3;
    // A byte without a character of its own (a lead byte) stays escaped.
    return lo < 0 ? kNoChar : cp.fromAnsi(static_cast<unsigned char>(hi * 16 + lo));
  });
}

Text unUmlaut(TextView text) {
  return mapCharacters(text, [](char16_t c) -> TextView {
    switch (c) {
      case u'\u00E4': return u"ae"sv;
      case u'\u00F6': return u"oe"sv;
      case u'\u00FC': return u"ue"sv;
      case u'\u00C4': return u"Ae"sv;
      case u'\u00D6': return u"Oe"sv;
      case u'\u00DC': return u"Ue"sv;
      case u'\u00DF': return u"ss"sv;
      default: return {};
    }
  });
}

std::vector<std::pair<Text, Text>> entityTable(const CodePage& cp) {
  std::vector<std::pair<Text, Text>> table;
  table.reserve(kEntityRows);
  for (const EntityRow& row : kEntities) {
    const char16_t c = rowChar(row, cp);
    table.emplace_back(c == kNoChar ? Text() : Text(1, c), Text(row.entity));
  }
  return table;
}

const std::vector<std::pair<Text, Text>>& markupTable() {
  static const std::vector<std::pair<Text, Text>> table = {
      {u"&", u"&amp;"}, {u"<", u"&lt;"}, {u">", u"&gt;"}, {u"\"", u"&quot;"}};
  return table;
}

}  // namespace vornix::transforms
