#include "toolkit/win/HtmlFormat.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* Version = "Version:";
constexpr size_t HeaderLength = 97;

// The value after "Name:" in the header, or -1.
long long HeaderValue(const std::string& text, const char* name) {
  const size_t at = text.find(name);
  if (at == std::string::npos || at > HeaderLength * 2) return -1;
  return std::strtoll(text.c_str() + at + std::char_traits<char>::length(name), nullptr, 10);
}

}  // namespace

std::string HtmlDocumentOf(const std::string& clipboardHtml) {
  std::string text = clipboardHtml;
  while (!text.empty() && text.back() == '\0') text.pop_back();
  if (text.rfind(Version, 0) != 0) return text;
  const long long start = HeaderValue(text, "StartHTML:");
  long long end = HeaderValue(text, "EndHTML:");
  if (start < 0 || start > static_cast<long long>(text.size())) return text;
  if (end < start || end > static_cast<long long>(text.size())) end = static_cast<long long>(text.size());
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

std::string ClipboardHtmlOf(const std::string& document) {
  const std::string startMarker = "<!--StartFragment-->";
  const size_t startAt = document.find(startMarker);
  const size_t endAt = document.find("<!--EndFragment-->");
  const bool marked = startAt != std::string::npos && endAt != std::string::npos && endAt >= startAt;
  const size_t fragmentStart = HeaderLength + (marked ? startAt + startMarker.size() : 0);
  const size_t fragmentEnd = HeaderLength + (marked ? endAt : document.size());
  char header[HeaderLength + 1];
  std::snprintf(header, sizeof header,
                "Version:1.0\r\nStartHTML:%.8zu\r\nEndHTML:%.8zu\r\nStartFragment:%.8zu\r\nEndFragment:%.8zu\r\n",
                HeaderLength, HeaderLength + document.size(), fragmentStart, fragmentEnd);
  return header + document;
}
