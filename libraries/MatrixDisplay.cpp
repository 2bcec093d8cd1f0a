#include "libraries/MatrixDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/RunState.h"
#include "engine/VarText.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"

namespace {

using TTexts = std::vector<std::string>;

// A listing lets the windows through and stops at an abort every so many
// elements formatted or rows written (a microsecond or so each).
constexpr long AbortCheckSteps = 256;

// The display options of both routines, from their arguments 1 to 3.
struct TTableFormat {
  explicit TTableFormat(const TFunc& routine)
      : Labels(BoolArg(routine, 1)),
        Mantissa(std::clamp<std::int64_t>(IntArg(routine, 2), 1, 18)),
        Exponent(std::clamp<std::int64_t>(IntArg(routine, 3), 1, 4)) {}

  std::string ElementText(long double x) const { return RealToText(std::fabs(x) <= 1e-16L ? 0 : x, Mantissa, Exponent); }

  TTexts ElementTexts(const TArrVar& v, TAbortCountdown& abortCheck) const {
    TTexts texts(v.Count());
    for (std::int32_t p = 0; p < v.Count(); ++p) {
      abortCheck.Step();
      texts[p] = ElementText(RealAt(v, p));
    }
    return texts;
  }

  bool Labels;
  std::int64_t Mantissa;
  std::int64_t Exponent;
};

std::size_t DigitCount(std::int64_t n) { return std::to_string(n).size(); }

std::string PadLeft(const std::string& text, std::size_t width) {
  return std::string(width - std::min(width, text.size()), ' ') + text;
}

std::string RowLabel(std::int64_t number, std::size_t width) { return PadLeft(std::to_string(number), width) + " |  "; }

// Each text right-aligned to its column's width and followed by one space,
// two between columns.
std::string Cells(const TTexts& texts, const std::vector<std::size_t>& widths) {
  std::string line;
  for (std::size_t j = 0; j < widths.size(); ++j) {
    line += PadLeft(j < texts.size() ? texts[j] : std::string(), widths[j]);
    line += j + 1 < widths.size() ? "  " : " ";
  }
  return line;
}

void WriteHeading(const std::string& text) { WriteMessage(ListLabel + text, ListKind, ListLevel); }
void WriteBody(const std::string& text) { WriteMessage(text, lkOutput, ListLevel + 1); }
void WriteSplit() { WriteMessage("-", lkSplit, ListLevel + 1); }

std::int32_t LongestRow(const TArrVar& m) {
  std::int32_t longest = 0;
  for (std::int32_t i = 0; i < m.Count(); ++i) longest = std::max(longest, MatRow(m, i).Count());
  return longest;
}

void WriteColumnHeader(const std::vector<std::size_t>& widths, std::size_t labelWidth) {
  TTexts numbers(widths.size());
  for (std::size_t j = 0; j < widths.size(); ++j) numbers[j] = std::to_string(j + 1);
  const std::string header = std::string(labelWidth, ' ') + " |  " + Cells(numbers, widths);
  WriteBody(header);
  WriteBody(std::string(labelWidth, '-') + "-+" + std::string(header.size() - labelWidth - 2, '-'));
}

bool RunShowMat(TFunc& routine, TSourcePos) {
  const TArrVar& m = ArrArg(routine, 0);
  const std::int32_t rows = m.Count();
  const std::int32_t cols = LongestRow(m);
  if (rows == 0) {
    WriteHeading("empty");
    return true;
  }
  if (cols == 0) {
    for (std::int32_t i = 0; i < rows; ++i) WriteHeading("| empty |");
    return true;
  }
  const TTableFormat format(routine);
  TAbortCountdown abortCheck(AbortCheckSteps);
  std::vector<TTexts> texts(rows);
  std::vector<std::size_t> widths(cols, format.Labels ? DigitCount(cols) : 0);
  for (std::int32_t i = 0; i < rows; ++i) {
    texts[i] = format.ElementTexts(MatRow(m, i), abortCheck);
    for (std::size_t j = 0; j < texts[i].size(); ++j) widths[j] = std::max(widths[j], texts[i][j].size());
  }
  const std::size_t labelWidth = DigitCount(rows);
  WriteHeading("matrix [" + std::to_string(rows) + ":" + std::to_string(cols) + "]");
  WriteSplit();
  if (format.Labels) WriteColumnHeader(widths, labelWidth);
  for (std::int32_t i = 0; i < rows; ++i) {
    abortCheck.Step(cols);
    WriteBody((format.Labels ? RowLabel(i + 1, labelWidth) : std::string()) + Cells(texts[i], widths));
  }
  WriteSplit();
  return true;
}

bool RunShowVec(TFunc& routine, TSourcePos) {
  const TArrVar& v = ArrArg(routine, 0);
  if (v.Count() == 0) {
    WriteHeading("empty");
    return true;
  }
  const TTableFormat format(routine);
  TAbortCountdown abortCheck(AbortCheckSteps);
  const TTexts texts = format.ElementTexts(v, abortCheck);
  std::size_t width = 0;
  for (const std::string& text : texts) width = std::max(width, text.size());
  const std::size_t labelWidth = DigitCount(v.Count());
  WriteHeading("vector [" + std::to_string(v.Count()) + "]");
  WriteSplit();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    abortCheck.Step();
    WriteBody((format.Labels ? RowLabel(static_cast<std::int64_t>(i) + 1, labelWidth) : std::string()) +
              PadLeft(texts[i], width));
  }
  WriteSplit();
  return true;
}

}  // namespace

const TRoutineRule ShowMatRule{"ShowMat", RunShowMat};
const TRoutineRule ShowVecRule{"ShowVec", RunShowVec};
