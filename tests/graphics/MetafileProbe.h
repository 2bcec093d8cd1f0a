#pragma once
// What a drawing wrote into an enhanced metafile: its texts with their
// reference points, and its lines by the style of the pen they were drawn
// with. For counting what a pass draws without reading pixels.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/Utf16.h"
#include "tests/toolkit/MetafileReplay.h"
#include "toolkit/gdi/Metafile.h"
#include "toolkit/gdi/MetafileCanvas.h"

namespace MetafileProbe {

inline std::vector<std::uint8_t> RecordEmf(const std::function<void(TCanvas&)>& draw, int width = 641,
                                           int height = 481) {
  TMetafile metafile;
  metafile.SetWidth(width);
  metafile.SetHeight(height);
  {
    TMetafileCanvas canvas(metafile);
    draw(canvas);
  }
  return metafile.Bytes();
}

struct TText {
  std::string Text;
  TPoint At;
};

inline std::vector<TText> Texts(const std::vector<std::uint8_t>& bytes) {
  std::vector<TText> texts;
  for (const TMetafileRecord& r : WalkEmf(bytes).Records) {
    if (r.Type != 84) continue;  // EMR_EXTTEXTOUTW
    const std::size_t text = r.Offset + 36;
    std::u16string units;
    const std::size_t string = r.Offset + Word32At(bytes, text + 12);
    for (std::size_t i = 0; i < Word32At(bytes, text + 8); ++i) units += char16_t(Word16At(bytes, string + 2 * i));
    texts.push_back({EncodeUtf8(units), {int(Word32At(bytes, text)), int(Word32At(bytes, text + 4))}});
  }
  return texts;
}

inline int CountTexts(const std::vector<TText>& texts, const std::string& text) {
  int n = 0;
  for (const TText& t : texts) n += t.Text == text;
  return n;
}

// How many lines (LineTo records) each pen style drew.
inline std::map<int, int> LinesByPenStyle(const std::vector<std::uint8_t>& bytes) {
  std::map<std::uint32_t, int> penStyles;  // by handle
  std::map<int, int> lines;
  std::vector<int> saved;
  int style = -1;
  for (const TMetafileRecord& r : WalkEmf(bytes).Records) {
    const std::uint32_t handle = Word32At(bytes, r.Offset + 8);
    switch (r.Type) {
      case 38: penStyles[handle] = int(Word32At(bytes, r.Offset + 12)); break;  // EMR_CREATEPEN
      case 39:                                                               // EMR_CREATEBRUSHINDIRECT
      case 82: penStyles.erase(handle); break;                               // EMR_EXTCREATEFONTINDIRECTW
      case 37:                                                               // EMR_SELECTOBJECT
        if (penStyles.count(handle)) style = penStyles[handle];
        break;
      case 33: saved.push_back(style); break;  // EMR_SAVEDC
      case 34:                                 // EMR_RESTOREDC
        style = saved.back();
        saved.pop_back();
        break;
      case 54: ++lines[style]; break;  // EMR_LINETO
    }
  }
  return lines;
}

}  // namespace MetafileProbe
