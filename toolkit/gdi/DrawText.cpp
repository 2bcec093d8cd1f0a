// DrawText: lines, word breaks, tabs, alignment, ellipses and prefix
// underlines, laid out with the font's metrics and drawn with ExtTextOut.

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/gdi/Gdi.h"

namespace {

constexpr std::string_view Ellipsis = "...";

struct TLine {
  std::string Text;
  int Underline = -1;  // byte offset of the underlined character, -1 for none
};

int WidthOf(HDC dc, std::string_view text) {
  TSize size;
  GetTextExtentPoint32(dc, text, &size);
  return size.cx;
}

// Removes the prefix characters: "&x" underlines x, "&&" is "&".
TLine TakePrefixes(std::string_view text, unsigned format) {
  TLine line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && line.Underline < 0 && !(format & DT_HIDEPREFIX)) line.Underline = int(line.Text.size());
    }
    line.Text += text[i];
  }
  return line;
}

std::vector<TLine> SplitLines(const TLine& text, unsigned format) {
  if (format & DT_SINGLELINE) return {text};
  std::vector<TLine> lines(1);
  for (std::size_t i = 0; i < text.Text.size(); ++i) {
    const char c = text.Text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.Text.size() && text.Text[i + 1] == '\n') ++i;
      lines.emplace_back();
      continue;
    }
    if (int(i) == text.Underline) lines.back().Underline = int(lines.back().Text.size());
    lines.back().Text += c;
  }
  return lines;
}

// Tabs become spaces up to the next tab stop (every 8 average characters,
// or the count in the format's second byte with DT_TABSTOP).
void ExpandTabs(HDC dc, TLine& line, unsigned format) {
  if (line.Text.find('\t') == std::string::npos) return;
  TTextMetric metric;
  GetTextMetrics(dc, &metric);
  const int characters = (format & DT_TABSTOP) && (format >> 8 & 0xFF) ? int(format >> 8 & 0xFF) : 8;
  const int stop = std::max(characters * metric.tmAveCharWidth, 1);
  std::string expanded;
  int underline = -1;
  for (std::size_t i = 0; i < line.Text.size(); ++i) {
    if (int(i) == line.Underline) underline = int(expanded.size());
    if (line.Text[i] != '\t') {
      expanded += line.Text[i];
      continue;
    }
    const int target = (WidthOf(dc, expanded) / stop + 1) * stop;
    do expanded += ' ';
    while (WidthOf(dc, expanded) < target);
  }
  line.Text = std::move(expanded);
  line.Underline = underline;
}

// Greedy breaks between words; a word wider than the line stays whole.
std::vector<TLine> BreakWords(HDC dc, const TLine& line, int width) {
  std::vector<TLine> lines;
  std::size_t start = 0;
  while (start < line.Text.size() || lines.empty()) {
    std::size_t end = start;
    std::size_t lastFit = std::string::npos;
    while (end < line.Text.size()) {
      std::size_t wordEnd = line.Text.find(' ', end);
      if (wordEnd == std::string::npos) wordEnd = line.Text.size();
      if (lastFit != std::string::npos && WidthOf(dc, std::string_view(line.Text).substr(start, wordEnd - start)) > width)
        break;
      lastFit = wordEnd;
      end = wordEnd + 1;
    }
    const std::size_t stop = lastFit == std::string::npos ? line.Text.size() : lastFit;
    TLine part{line.Text.substr(start, stop - start)};
    if (line.Underline >= int(start) && line.Underline < int(stop)) part.Underline = line.Underline - int(start);
    lines.push_back(std::move(part));
    start = stop;
    while (start < line.Text.size() && line.Text[start] == ' ') ++start;
  }
  return lines;
}

// The longest start of text that fits width together with suffix.
std::string FittingStart(HDC dc, const std::string& text, std::string_view suffix, int width) {
  const std::vector<std::size_t> starts = CodePointStarts(text);
  std::size_t low = 0;
  std::size_t high = starts.size() - 1;
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (WidthOf(dc, text.substr(0, starts[middle]) + std::string(suffix)) <= width) low = middle;
    else high = middle - 1;
  }
  return text.substr(0, starts[low]);
}

void Elide(HDC dc, TLine& line, unsigned format, int width) {
  if (WidthOf(dc, line.Text) <= width) return;
  if (format & DT_PATH_ELLIPSIS) {
    const std::size_t separator = line.Text.find_last_of("\\/");
    if (separator != std::string::npos && separator > 0) {
      const std::string tail = line.Text.substr(separator);
      const std::string suffix = std::string(Ellipsis) + tail;
      if (WidthOf(dc, suffix) <= width) {
        line.Text = FittingStart(dc, line.Text.substr(0, separator), suffix, width) + suffix;
        if (line.Underline >= 0) line.Underline = -1;
        return;
      }
    }
  }
  line.Text = FittingStart(dc, line.Text, Ellipsis, width);
  if (line.Underline >= int(line.Text.size())) line.Underline = -1;
  line.Text += Ellipsis;
}

std::vector<TLine> LayOut(HDC dc, std::string_view text, const TRect& rect, unsigned format) {
  const TLine whole = format & DT_NOPREFIX ? TLine{std::string(text)} : TakePrefixes(text, format);
  std::vector<TLine> lines;
  for (TLine& line : SplitLines(whole, format)) {
    if (format & DT_EXPANDTABS) ExpandTabs(dc, line, format);
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
      for (TLine& part : BreakWords(dc, line, rect.Width())) lines.push_back(std::move(part));
    } else {
      lines.push_back(std::move(line));
    }
  }
  const bool elides = format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
  if (elides && !(format & DT_CALCRECT))
    for (TLine& line : lines) Elide(dc, line, format, rect.Width());
  return lines;
}

void UnderlineCharacter(HDC dc, const TLine& line, int x, int baseline, const TRect& rect, unsigned format) {
  const std::vector<std::size_t> starts = CodePointStarts(line.Text);
  const auto next = std::upper_bound(starts.begin(), starts.end(), std::size_t(line.Underline));
  const int left = x + WidthOf(dc, std::string_view(line.Text).substr(0, line.Underline));
  const int right = x + WidthOf(dc, std::string_view(line.Text).substr(0, *next));
  TRect underline = Rect(left, baseline + 1, right, baseline + 2);
  if (!(format & DT_NOCLIP) && !IntersectRect(underline, underline, rect)) return;
  HBRUSH brush = CreateSolidBrush(GetTextColor(dc));
  FillRect(dc, underline, brush);
  DeleteObject(brush);
}

}  // namespace

int DrawText(HDC dc, std::string_view text, TRect& rect, unsigned format) {
  if (!dc) return 0;
  TTextMetric metric;
  GetTextMetrics(dc, &metric);
  const int lineHeight = metric.tmHeight + (format & DT_EXTERNALLEADING ? metric.tmExternalLeading : 0);
  const std::vector<TLine> lines = LayOut(dc, text, rect, format);
  const int total = lineHeight * int(lines.size());
  if (format & DT_CALCRECT) {
    int width = 0;
    for (const TLine& line : lines) width = std::max(width, WidthOf(dc, line.Text));
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + total;
    return total;
  }
  int top = rect.Top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = rect.Top + (rect.Height() - lineHeight) / 2;
    else if (format & DT_BOTTOM) top = rect.Bottom - lineHeight;
  }
  const unsigned align = SetTextAlign(dc, TA_TOP | TA_LEFT);
  for (const TLine& line : lines) {
    // Only centred and right-aligned lines need their width.
    int x = rect.Left;
    if (format & DT_CENTER) x = rect.Left + (rect.Width() - WidthOf(dc, line.Text)) / 2;
    else if (format & DT_RIGHT) x = rect.Right - WidthOf(dc, line.Text);
    ExtTextOut(dc, x, top, format & DT_NOCLIP ? 0 : ETO_CLIPPED, &rect, line.Text, nullptr);
    if (line.Underline >= 0) UnderlineCharacter(dc, line, x, top + metric.tmAscent, rect, format);
    top += lineHeight;
  }
  SetTextAlign(dc, align);
  return top - rect.Top;
}

std::vector<std::size_t> CodePointStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i == 0 || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  starts.push_back(text.size());
  return starts;
}
