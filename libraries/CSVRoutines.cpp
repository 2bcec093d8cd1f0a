#include "libraries/CSVRoutines.h"

#include <cstdint>
#include <string>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/RunState.h"
#include "libraries/ArrayArgs.h"
#include "libraries/FileReal.h"
#include "runtime/Quoted.h"
#include "libraries/WorkStatus.h"

namespace {

constexpr char Tab = '\t';
constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';

// Appends the token's value; reports a token that is not a real.
bool AppendValue(const std::string& token, std::vector<long double>& values, TSourcePos pos) {
  long double x = 0;
  if (!FileTextToReal(token, x)) {
    ReportError("Failed to convert to real: " + token, pos, nullptr);
    return false;
  }
  values.push_back(x);
  return true;
}

// Shows the text when a window shows status texts; lets window messages
// through either way, and ends the call when the run was aborted.
template <class ComposeText>
void ShowProgress(ComposeText&& compose) {
  if (HasWorkStatusHandler()) SetWorkStatusText(compose());
  CheckAbort();
}

// The values of a vector separated by separator, each formatted, then
// written with window messages let through.
bool WriteSeparated(IInOut& source, const TArrVar& vector, char separator, TSourcePos pos) {
  for (std::int32_t i = 1; i <= vector.Count(); ++i) {
    const std::string text = (i > 1 ? std::string(1, separator) : std::string()) + ExactRealText(GetVecElem(vector, i));
    CheckAbort();
    if (!WriteText(source, text, pos, true)) return false;
  }
  return true;
}

bool IsVectorSeparator(char c) { return c == Tab || c == LineFeed || c == ' ' || c == ',' || c == ';'; }
bool IsValueSeparator(char c) { return c == Tab || c == ' ' || c == ',' || c == ';'; }
bool IsLineEnd(char c) { return c == CarriageReturn || c == LineFeed; }

// What ended a matrix token.
enum class TCSVToken : std::uint8_t {
  RowGoesOn,  // a value separator
  RowEnds,    // a line end
  DataEnds,
  NoValue,    // the data ended before a value began
  Error,      // reported
};

// Reads matrix rows and keeps them, row after row, until the matrix is
// complete.
class TMatrixReader {
public:
  TMatrixReader(IInOut& source, TSourcePos pos) : source_(source), pos_(pos) {}

  bool Read() {
    for (;;) {
      long double x = 0;
      const TCSVToken token = ReadToken(x);
      if (token == TCSVToken::Error) return false;
      if (token == TCSVToken::NoValue) return row_.empty() || CompleteRow();
      row_.push_back(x);
      CheckAbort();
      if (token == TCSVToken::RowGoesOn) continue;
      if (!CompleteRow()) return false;
      if (token == TCSVToken::DataEnds) return true;
      ShowProgress([this] { return " " + std::to_string(rows_) + " matrix rows imported"; });
    }
  }

  void Store(TArrVar& m) const {
    SetMatSize(m, rows_, cols_, true);
    for (std::int32_t i = 0; i < rows_; ++i)
      for (std::int32_t j = 0; j < cols_; ++j)
        SetMatElem(m, i + 1, j + 1, cells_[static_cast<std::size_t>(i) * cols_ + j]);
  }

  std::int32_t Rows() const { return rows_; }
  std::int32_t Cols() const { return cols_; }

private:
  TCSVToken ReadToken(long double& x) {
    char c = 0;
    do {
      if (!ReadChar(c)) return TCSVToken::NoValue;
    } while (IsValueSeparator(c) || IsLineEnd(c));
    std::string token(1, c);
    TCSVToken ending = TCSVToken::DataEnds;
    while (ReadChar(c)) {
      if (IsValueSeparator(c) || IsLineEnd(c)) {
        ending = IsLineEnd(c) ? TCSVToken::RowEnds : TCSVToken::RowGoesOn;
        break;
      }
      token += c;
    }
    if (FileTextToReal(token, x)) return ending;
    ReportError("Failed to convert " + Quoted(token) + " into a real number", NoPosition, nullptr);
    return TCSVToken::Error;
  }

  bool ReadChar(char& c) {
    std::uint8_t byte = 0;
    const bool read = source_.ReadByte(byte);
    c = static_cast<char>(byte);
    return read;
  }

  bool CompleteRow() {
    const auto length = static_cast<std::int32_t>(row_.size());
    if (cols_ > 0 && length != cols_) {
      ReportError("Data source doesn't contain a matrix", pos_, nullptr);
      return false;
    }
    cols_ = length;
    cells_.insert(cells_.end(), row_.begin(), row_.end());
    row_.clear();
    ++rows_;
    return true;
  }

  IInOut& source_;
  TSourcePos pos_;
  std::vector<long double> row_;
  std::vector<long double> cells_;  // the rows so far, one after the other
  std::int32_t rows_ = 0;
  std::int32_t cols_ = 0;
};

}  // namespace

bool TArrayWriterIO::Transfer(TSourcePos pos) {
  const CountedPtr<IInOut> source = Source(pos, false);
  return source && Write(*source, static_cast<const TArrVar&>(*Arg(1)), pos);
}

bool TArrayReaderIO::Transfer(TSourcePos pos) {
  auto& target = static_cast<TArrVar&>(*RefArg(1));
  target.Clear();
  const CountedPtr<IInOut> source = Source(pos, false);
  return source && Read(*source, target, pos);
}

bool TWriteVecIO::Write(IInOut& source, const TArrVar& values, TSourcePos pos) {
  std::string text = "{";
  for (std::int32_t i = 1; i <= values.Count(); ++i) text += (i > 1 ? "," : "") + ExactRealText(GetVecElem(values, i));
  return WriteText(source, text + "}", pos);
}

bool TWriteVCSVIO::Write(IInOut& source, const TArrVar& values, TSourcePos pos) {
  return WriteSeparated(source, values, LineFeed, pos) && values.Count() > 0;
}

bool TReadVecIO::Read(IInOut& source, TArrVar& target, TSourcePos pos) {
  std::uint8_t byte = 0;
  if (!source.ReadByte(byte)) return SourceFailed(source, pos);
  if (byte != '{') {
    ReportError(Quoted("{") + " expected but " + Quoted(std::string(1, static_cast<char>(byte))) + " found", pos,
                nullptr);
    return false;
  }
  std::vector<long double> values;
  std::string token;
  do {
    if (!source.ReadByte(byte)) return SourceFailed(source, pos);
    if (byte != ',' && byte != '}') {
      token += static_cast<char>(byte);
      continue;
    }
    if (!AppendValue(token, values, pos)) return false;
    token.clear();
    CheckAbort();
  } while (byte != '}');
  SetReals(target, values);
  return true;
}

bool TReadVCSVIO::Read(IInOut& source, TArrVar& target, TSourcePos pos) {
  std::uint8_t byte = 0;
  if (!source.ReadByte(byte)) return SourceFailed(source, pos);
  std::vector<long double> values;
  std::string token;
  do {
    const auto c = static_cast<char>(byte);
    if (c == CarriageReturn) continue;
    if (!IsVectorSeparator(c)) {
      token += c;
    } else if (AppendValue(token, values, pos)) {
      token.clear();
    } else {
      return false;
    }
    ShowProgress([&values] { return " " + std::to_string(values.size()) + " vector elements imported"; });
  } while (source.ReadByte(byte));
  if (!token.empty() && !AppendValue(token, values, pos)) return false;
  SetReals(target, values);
  ShowProgress([&values] { return " Vector [" + std::to_string(values.size()) + "] successfully imported"; });
  return true;
}

bool TWriteMCSVIO::Write(IInOut& source, const TArrVar& values, TSourcePos pos) {
  if (!IsRectangular(values)) {
    ReportError(UnequalRowsMessage, pos, nullptr);
    return false;
  }
  for (std::int32_t p = 0; p < values.Count(); ++p) {
    if (p > 0 && !WriteText(source, std::string(1, LineFeed), pos, true)) return false;
    if (!WriteSeparated(source, MatRow(values, p), Tab, pos)) return false;
  }
  return values.Count() > 0;
}

bool TReadMCSVIO::Read(IInOut& source, TArrVar& target, TSourcePos pos) {
  TMatrixReader reader(source, pos);
  if (!reader.Read()) return false;
  reader.Store(target);
  ShowProgress([&reader] {
    return " Matrix [" + std::to_string(reader.Rows()) + ":" + std::to_string(reader.Cols()) + "] successfully imported";
  });
  return true;
}
