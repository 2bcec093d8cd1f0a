#pragma once
// A canvas that records into a metafile: its device context keeps the
// drawing state like any other but turns drawing calls into records
// (TMetafileRecorder). The screen at 96 pixels per inch is its reference
// device: text is measured as on the raster. Freeing the canvas completes
// the picture, in the metafile's size and kind as they were when the
// canvas was made.

#include <memory>

#include "toolkit/gdi/Canvas.h"

class TMetafile;
class TMetafileRecorder;

class TMetafileCanvas final : public TCanvas {
public:
  explicit TMetafileCanvas(TMetafile& metafile);
  ~TMetafileCanvas() override;

private:
  TMetafile& metafile_;
  std::unique_ptr<TMetafileRecorder> recorder_;
  std::unique_ptr<TDeviceContext> dc_;
};
