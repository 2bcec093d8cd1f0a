#include "skin/paint/CornerRepair.h"

#include "tests/skin/PaintFixture.h"
#include "toolkit/controls/Panel.h"

namespace {

TColor Marked(int x, int y) { return TColor(x | y << 8 | 0x40 << 16); }

// A parent that answers the background request with its picture.
class TPictureParent : public TPanel {
public:
  using TPanel::TPanel;
  TBitmap* Picture = nullptr;

protected:
  void Dispatch(TMessage& message) override {
    if (message.Msg == SM_SKINCMD && SubCommandOf(message.WParam) == scGetBackdrop && Picture) {
      auto* query = reinterpret_cast<TBackdropQuery*>(message.LParam);
      query->Kind = bkImage;
      query->Bmp = Picture;
      query->Offset = {2, 3};
      message.Result = 1;
      return;
    }
    TPanel::Dispatch(message);
  }
};

// A 3-frame borders mask of 6 x 6 frames whose last frame alone has a key
// pixel in each corner; plain (index 0) and over alpha rows (index 1).
class CornerRepair : public PaintFixture {
protected:
  CornerRepair() {
    for (int top : {0, 8}) {
      FillBytes(*master, Rect(0, top, 18, top + 6), Grey(10));
      for (TPoint corner : {TPoint{0, 0}, TPoint{0, 5}, TPoint{5, 5}, TPoint{5, 0}})
        SetBytesColor(*master, 12 + corner.X, top + corner.Y, clSkinKey);
    }
    FillBytes(*master, Rect(0, 14, 18, 20), Grey(255));
    manager.AddMask("P", "BORDERSMASK", Rect(0, 0, 18, 6), 3, 0, {2, 2, 2, 2});
    manager.AddMask("P", "BORDERSMASK", Rect(0, 8, 18, 20), 3, 1, {2, 2, 2, 2});
    manager.AddSection("P");
    parent.Picture = picture.get();
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) SetBytesColor(*picture, x, y, Marked(x, y));
    host->SetParent(&parent);
    host->SetBounds(7, 5, 20, 10);
    data.SetSkinManager(&manager);
    data.CacheBitmap()->SetSize(20, 10);
  }
  void Repair(int mask, int state, std::uint8_t corners) {
    FillBytes(*data.CacheBitmap(), Rect(0, 0, 20, 10), Sentinel);
    data.BorderMaskIndex = mask;
    RepairCorners(data, state, corners);
  }
  TColor Cache(int x, int y) { return BytesColor(*data.CacheBitmap(), x, y); }
  bool Untouched() { return AllBytesColor(*data.CacheBitmap(), Sentinel); }

  TPictureParent parent{nullptr};
  std::unique_ptr<TBitmap> picture = std::make_unique<TBitmap>(60, 60, pf24bit);
  TPanel* host = new TPanel(&parent);
  TSkinCommonData data{host, true};
};

TEST_F(CornerRepair, KeyCornersTakeTheParentsPictureAtTheControlsPlace) {
  for (int mask : {0, 1}) {
    Repair(mask, 2, 15);
    // The answer's offset (2, 3) moved by the host's place (7, 5).
    EXPECT_EQ(Cache(0, 0), Marked(9, 8)) << mask;
    EXPECT_EQ(Cache(0, 9), Marked(9, 17)) << mask;
    EXPECT_EQ(Cache(19, 9), Marked(28, 17)) << mask;
    EXPECT_EQ(Cache(19, 0), Marked(28, 8)) << mask;
    EXPECT_EQ(Cache(1, 0), Sentinel) << mask;
    Repair(mask, 2, crBottomLeft);
    EXPECT_EQ(Cache(0, 9), Marked(9, 17)) << mask;
    EXPECT_EQ(Cache(0, 0), Sentinel) << mask;
  }
}

TEST_F(CornerRepair, NothingChangesWithoutKeysCornersOrWidth) {
  Repair(0, 0, 15);
  EXPECT_TRUE(Untouched()) << "frame 0 has no key pixels";
  Repair(0, 2, 0);
  EXPECT_TRUE(Untouched()) << "no corners asked for";
  host->SetBounds(7, 5, 1, 10);
  Repair(0, 2, 15);
  EXPECT_TRUE(Untouched()) << "a host 1 pixel wide";
}

TEST_F(CornerRepair, APlainParentGivesItsColourButNeverMagenta) {
  parent.Picture = nullptr;
  parent.SetColor(0x00AABBCC);
  Repair(0, 2, 15);
  EXPECT_EQ(Cache(0, 0), 0x00AABBCCU);
  EXPECT_EQ(Cache(19, 9), 0x00AABBCCU);
  parent.SetColor(clSkinKey);
  Repair(0, 2, 15);
  EXPECT_TRUE(Untouched());
}

}  // namespace
