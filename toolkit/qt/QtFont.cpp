// Fonts and text through Qt. Font names of the platform the program came
// from are mapped onto the fonts we install, so that metrics are the same on
// every machine; glyphs are drawn without anti-aliasing and without kerning,
// so that a text's width is the sum of its characters' widths.

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QRawFont>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <tuple>
#include <cmath>
#include <map>
#include <optional>
#include <unordered_map>

#include "runtime/AsciiCase.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/MetafileRecorder.h"
#include "toolkit/qt/QtFont.h"
#include "toolkit/qt/QtPainter.h"

// What a face learns by measuring, shared by its copies.
class TFaceMeasures {
public:
  // Painting measures the same texts paint after paint: the recent widths are kept.
  int Width(const QFontMetrics& metrics, const QString& text) {
    if (const int width = NumberWidth(metrics, text); width >= 0) return width;
    if (const auto found = widths_.find(text); found != widths_.end()) return found->second;
    if (widths_.size() >= KeptWidths) widths_.clear();
    return widths_.emplace(text, metrics.horizontalAdvance(text)).first->second;
  }
  const QRawFont& Raw(const QFont& font) {
    if (!raw_) raw_ = QRawFont::fromFont(font);
    return *raw_;
  }

private:
  // A number's characters shape one glyph each (no ligature joins them, and
  // kerning is off): its width is the sum of theirs, kept per character.
  // Grids measure thousands of different numbers. -1 for any other text.
  int NumberWidth(const QFontMetrics& metrics, const QString& text) {
    int width = 0;
    for (const QChar c : text) {
      const std::size_t index = c.unicode() < 0x80 ? NumberCharacters.find(char(c.unicode())) : std::string_view::npos;
      if (index == std::string_view::npos) return -1;
      int& advance = numberAdvances_[index];
      if (advance < 0) advance = metrics.horizontalAdvance(QString(c));
      width += advance;
    }
    return width;
  }

  static constexpr std::string_view NumberCharacters = "0123456789+-.,eE ";
  static constexpr std::size_t KeptWidths = 1024;
  std::array<int, NumberCharacters.size()> numberAdvances_ = UnknownAdvances();  // -1: not measured yet
  std::optional<QRawFont> raw_;
  std::unordered_map<QString, int> widths_;

  static constexpr std::array<int, NumberCharacters.size()> UnknownAdvances() {
    std::array<int, NumberCharacters.size()> advances{};
    advances.fill(-1);
    return advances;
  }
};

// A font's face. Fonts of the same description share one face's fonts and
// measures: a canvas makes a new font at each Assign, and measuring would
// start over every time.
struct TFontFace {
  explicit TFontFace(const TLogFont& logFont);
  int Width(const QString& text) const { return measures_->Width(Metrics, text); }
  int Height() const { return Ascent + Descent; }
  // The glyphs of Font without shaping, for runs placed by advances; made on first use.
  const QRawFont& Raw() const { return measures_->Raw(Font); }

  QFont Font;
  QFontMetrics Metrics{QFont()};
  int PixelSize = 0;
  int Ascent = 0;
  int Descent = 0;

private:
  std::shared_ptr<TFaceMeasures> measures_;
};

namespace {

constexpr int DefaultPixelSize = 13;

using TFaceKey = std::tuple<int, int, int, int, int, bool, bool, bool, std::uint8_t, std::uint8_t, std::string>;

TFaceKey KeyOf(const TLogFont& f) {
  return {f.lfHeight,  f.lfWidth,       f.lfEscapement, f.lfOrientation,     f.lfWeight,  f.lfItalic,
          f.lfUnderline, f.lfStrikeOut, f.lfCharSet,    f.lfPitchAndFamily, f.lfFaceName};
}

// The faces made lately, by description.
std::map<TFaceKey, TFontFace>& KnownFaces() {
  static std::map<TFaceKey, TFontFace> faces;
  return faces;
}

// Qt's fonts must not outlive the application: the faces kept go when it ends.
void RememberFace(const TFaceKey& key, const TFontFace& face) {
  constexpr std::size_t KeptFaces = 64;
  auto& known = KnownFaces();
  if (known.size() >= KeptFaces)
    known.clear();
  else if (known.empty())
    qAddPostRoutine([] { KnownFaces().clear(); });
  known.emplace(key, face);
}

QString FamilyFor(const std::string& faceName) {
  static const std::map<std::string, const char*> substitutes = {
      {"courier new", "Liberation Mono"},     {"courier", "Liberation Mono"},
      {"consolas", "Liberation Mono"},        {"lucida console", "Liberation Mono"},
      {"fixedsys", "Liberation Mono"},        {"terminal", "Liberation Mono"},
      {"arial", "Liberation Sans"},           {"helvetica", "Liberation Sans"},
      {"ms sans serif", "Liberation Sans"},   {"microsoft sans serif", "Liberation Sans"},
      {"ms shell dlg", "Liberation Sans"},    {"ms shell dlg 2", "Liberation Sans"},
      {"tahoma", "Liberation Sans"},          {"segoe ui", "Liberation Sans"},
      {"verdana", "Liberation Sans"},         {"system", "Liberation Sans"},
      {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
      {"ms serif", "Liberation Serif"},       {"georgia", "Liberation Serif"},
  };
  const std::string key = AsciiLowered(faceName);
  if (auto it = substitutes.find(key); it != substitutes.end()) return it->second;
  const QString family = QString::fromStdString(faceName);
  if (!faceName.empty() && QFontDatabase::hasFamily(family)) return family;
  return "DejaVu Sans";
}

QFont MakeFont(const TLogFont& logFont, int pixelSize) {
  QFont font(FamilyFor(logFont.lfFaceName));
  font.setPixelSize(std::max(pixelSize, 1));
  font.setWeight(QFont::Weight(std::clamp(logFont.lfWeight == 0 ? FW_NORMAL : logFont.lfWeight, 100, 900)));
  font.setItalic(logFont.lfItalic);
  font.setUnderline(logFont.lfUnderline);
  font.setStrikeOut(logFont.lfStrikeOut);
  font.setKerning(false);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// The largest pixel size whose cell (ascent + descent) fits cellHeight.
int PixelSizeForCell(const TLogFont& logFont, int cellHeight) {
  int size = cellHeight;
  while (size > 1 && QFontMetrics(MakeFont(logFont, size)).height() > cellHeight) --size;
  return size;
}

TFontFace& FaceOf(HDC dc) { return dc->State().Font->Face(); }

struct TTextRun {
  QString Text;
  std::vector<QString> Characters;  // with advances only
  int Width = 0;
};

TTextRun MakeRun(HDC dc, std::string_view text, const int* advances) {
  TTextRun run;
  run.Text = QString::fromUtf8(text.data(), qsizetype(text.size()));
  if (!advances) {
    run.Width = FaceOf(dc).Width(run.Text);
    return run;
  }
  const std::vector<std::size_t> starts = CodePointStarts(text);
  for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
    run.Characters.push_back(QString::fromUtf8(text.data() + starts[i], qsizetype(starts[i + 1] - starts[i])));
    run.Width += advances[i];
  }
  return run;
}

// The text's cell relative to the reference point, by the text alignment.
QRect CellOf(HDC dc, const TTextRun& run) {
  const TFontFace& face = FaceOf(dc);
  const unsigned align = dc->State().TextAlign;
  int left = 0;
  if ((align & TA_CENTER) == TA_CENTER) left = -run.Width / 2;
  else if (align & TA_RIGHT) left = -run.Width;
  int top = 0;
  if ((align & TA_BASELINE) == TA_BASELINE) top = -face.Ascent;
  else if (align & TA_BOTTOM) top = -face.Height();
  return QRect(left, top, run.Width, face.Height());
}

QRect QRectOf(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// A run placed by advances in one call, straight from the font's glyphs,
// when the font has a glyph for every character (each one UTF-16 unit);
// false leaves the run to be drawn a character at a time, with the font
// fallback that shaping brings.
bool DrawGlyphs(QPainter& p, const TFontFace& face, const TTextRun& run, QPoint origin, const int* advances) {
  const QRawFont& raw = face.Raw();
  if (!raw.isValid() || run.Text.size() != qsizetype(run.Characters.size())) return false;
  const QList<quint32> glyphs = raw.glyphIndexesForString(run.Text);
  if (glyphs.size() != run.Text.size() || glyphs.contains(0)) return false;
  QList<QPointF> positions;
  positions.reserve(glyphs.size());
  int x = origin.x();
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    positions.append(QPointF(x, origin.y()));
    x += advances[i];
  }
  QGlyphRun glyphRun;
  glyphRun.setRawFont(raw);
  glyphRun.setGlyphIndexes(glyphs);
  glyphRun.setPositions(positions);
  p.drawGlyphRun(QPointF(0, 0), glyphRun);
  return true;
}

void DrawRun(HDC dc, TPoint reference, unsigned options, const TRect* rect, const TTextRun& run, const int* advances) {
  QPainter& p = PainterFor(*dc);
  const TFontFace& face = FaceOf(dc);
  const TDCState& state = dc->State();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (rect && (options & ETO_OPAQUE)) p.fillRect(QRectOf(*rect), QColorOf(state.BkColor));

  const QRect cell = CellOf(dc, run);
  const QTransform base = p.transform();
  p.translate(reference.X, reference.Y);
  const int escapement = state.Font->LogFont.lfEscapement;
  const bool clipped = rect && (options & ETO_CLIPPED) &&
                       !(escapement == 0 && QRectOf(*rect).contains(cell.translated(reference.X, reference.Y)));
  // The clip rectangle is the device's: set before the text is turned.
  if (clipped) p.setClipRect(QRectOf(*rect).translated(-reference.X, -reference.Y), Qt::IntersectClip);
  if (escapement != 0) p.rotate(-escapement / 10.0);
  if (state.BkMode == OPAQUE) p.fillRect(cell, QColorOf(state.BkColor));
  p.setPen(QColorOf(state.TextColor));
  p.setFont(face.Font);
  const int baseline = cell.top() + face.Ascent;
  if (advances) {
    if (!DrawGlyphs(p, face, run, QPoint(cell.left(), baseline), advances)) {
      int x = cell.left();
      for (std::size_t i = 0; i < run.Characters.size(); ++i) {
        p.drawText(QPoint(x, baseline), run.Characters[i]);
        x += advances[i];
      }
    }
  } else {
    p.drawText(QPoint(cell.left(), baseline), run.Text);
  }
  p.setTransform(base);
  if (clipped) ForgetPainterState(*dc);
}

bool DrawTextAt(HDC dc, int x, int y, unsigned options, const TRect* rect, std::string_view text, const int* advances) {
  if (!dc) return false;
  const TTextRun run = MakeRun(dc, text, advances);
  const bool updatesPosition = dc->State().TextAlign & TA_UPDATECP;
  const TPoint reference = updatesPosition ? dc->State().CurrentPos : TPoint{x, y};
  if (TMetafileRecorder* recorder = dc->Recorder())
    recorder->Text(*dc, reference, options, rect, text, advances);
  else
    DrawRun(dc, reference, options, rect, run, advances);
  if (updatesPosition) dc->ChangeState().CurrentPos.X += run.Width;
  return true;
}

}  // namespace

TFontFace::TFontFace(const TLogFont& logFont) {
  auto& known = KnownFaces();
  const TFaceKey key = KeyOf(logFont);
  if (const auto found = known.find(key); found != known.end()) {
    *this = found->second;
    return;
  }
  if (logFont.lfHeight < 0) PixelSize = -logFont.lfHeight;
  else if (logFont.lfHeight > 0) PixelSize = PixelSizeForCell(logFont, logFont.lfHeight);
  else PixelSize = DefaultPixelSize;
  Font = MakeFont(logFont, PixelSize);
  Metrics = QFontMetrics(Font);
  Ascent = Metrics.ascent();
  Descent = Metrics.descent();
  measures_ = std::make_shared<TFaceMeasures>();
  RememberFace(key, *this);
}

void TFontFaceDeleter::operator()(TFontFace* face) const { delete face; }

TFontFace& TGdiFont::Face() const {
  if (!face_) face_.reset(new TFontFace(LogFont));
  return *face_;
}

bool TextOut(HDC dc, int x, int y, std::string_view text) { return DrawTextAt(dc, x, y, 0, nullptr, text, nullptr); }

bool ExtTextOut(HDC dc, int x, int y, unsigned options, const TRect* rect, std::string_view text, const int* advances) {
  return DrawTextAt(dc, x, y, options, rect, text, advances);
}

bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size) {
  if (!dc || !size) return false;
  const TFontFace& face = FaceOf(dc);
  *size = {face.Width(QString::fromUtf8(text.data(), qsizetype(text.size()))), face.Height()};
  return true;
}

bool GetTextMetrics(HDC dc, TTextMetric* metric) {
  if (!dc || !metric) return false;
  const TFontFace& face = FaceOf(dc);
  const TLogFont& logFont = dc->State().Font->LogFont;
  metric->tmHeight = face.Height();
  metric->tmAscent = face.Ascent;
  metric->tmDescent = face.Descent;
  metric->tmInternalLeading = std::max(face.Height() - face.PixelSize, 0);
  metric->tmExternalLeading = std::max(face.Metrics.leading(), 0);
  metric->tmAveCharWidth = face.Metrics.averageCharWidth();
  metric->tmMaxCharWidth = face.Metrics.maxWidth();
  metric->tmWeight = logFont.lfWeight;
  metric->tmItalic = logFont.lfItalic;
  metric->tmUnderlined = logFont.lfUnderline;
  metric->tmStruckOut = logFont.lfStrikeOut;
  return true;
}

QFont QFontOfHandle(TGdiFont* font) { return font->Face().Font; }
