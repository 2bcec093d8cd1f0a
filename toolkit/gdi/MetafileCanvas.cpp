#include "toolkit/gdi/MetafileCanvas.h"

#include <algorithm>

#include "toolkit/gdi/Metafile.h"
#include "toolkit/gdi/MetafileRecorder.h"

// The context's own pixels are one that nothing draws on; what it may
// draw on is the picture, for clip regions made from it.
TMetafileCanvas::TMetafileCanvas(TMetafile& metafile) : metafile_(metafile) {
  const int width = std::max(metafile.Width(), 0), height = std::max(metafile.Height(), 0);
  recorder_ = std::make_unique<TMetafileRecorder>(metafile.Enhanced() ? MakeEmfFormat(width, height)
                                                                      : MakeWmfFormat(width, height));
  dc_ = std::make_unique<TDeviceContext>(MakeCounted<TGdiBitmap>(1, 1, pf32bit), TPoint{},
                                         TRegion(Rect(0, 0, width, height)));
  dc_->SetRecorder(recorder_.get());
  SetHandle(dc_.get());
}

TMetafileCanvas::~TMetafileCanvas() {
  SetHandle(nullptr);
  metafile_.SetBytes(recorder_->Finish());
}
