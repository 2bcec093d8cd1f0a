#include "shell/StoredPlace.h"

#include <gtest/gtest.h>

#include "tests/console/StoredSettings.h"
#include "toolkit/win/Monitors.h"

namespace {

const TRect Design = Bounds(225, 114, 631, 381);
constexpr TSize Smallest{320, 200};

class StoredPlaceTest : public StoredSettings {
protected:
  TRect Read(const std::vector<std::pair<std::string, std::string>>& keys) {
    Storage->OpenSection("PLACE", true);
    TSectionCloser closer(*Storage);
    for (const auto& [key, value] : keys) Storage->WriteString("F" + key, value);
    return ReadStoredPlace("F", Design, Smallest);
  }
};

// Whatever the keys say, the window can be seen and used: each size at
// least the smallest and at most the work area, some of it on a monitor.
TEST_F(StoredPlaceTest, EachKeyIsMadeUsableOnItsOwn) {
  const std::vector<TMonitor> monitors = GetMonitors();
  const TRect area = monitors[PrimaryMonitorIndex(monitors)].WorkArea;
  ASSERT_EQ(area.TopLeft(), (TPoint{0, 0})) << "the cases below assume it";
  ASSERT_GE(area.Width(), Design.Width());
  ASSERT_GE(area.Height(), Design.Height());
  struct TCase {
    std::vector<std::pair<std::string, std::string>> keys;
    TRect expected;
    const char* why;
  };
  const TCase cases[] = {
      {{}, Design, "nothing stored"},
      {{{"Left", "10"}, {"Top", "20"}, {"Width", "400"}, {"Height", "300"}}, Bounds(10, 20, 400, 300), "usable as stored"},
      {{{"Width", "-5000"}, {"Height", "0"}}, Bounds(225, 114, 320, 200), "below the smallest"},
      {{{"Height", "-1"}}, Bounds(225, 114, 631, 200), "one key alone"},
      {{{"Left", "0"}, {"Top", "0"}, {"Width", "2147483647"}, {"Height", "2147483647"}},
       Bounds(0, 0, area.Width(), area.Height()), "the integer range's end"},
      {{{"Left", "0"}, {"Top", "0"}, {"Width", "20000"}, {"Height", "20000"}}, Bounds(0, 0, area.Width(), area.Height()),
       "beyond the work area"},
      {{{"Left", "10"}, {"Top", "99999999999"}}, Bounds(10, 114, 631, 381), "beyond the integer range: Top alone falls back"},
      {{{"Left", "abc"}, {"Top", "30"}}, Bounds(225, 30, 631, 381), "not a number"},
      {{{"Left", "-10000"}, {"Top", "50"}}, Design, "wholly left of the screen"},
      {{{"Left", "2147483647"}, {"Top", "2147483647"}}, Design, "wholly off, where 32 bits overflow"},
      {{{"Left", "-300"}, {"Top", "-100"}}, Bounds(-300, -100, 631, 381), "partly on the screen stays"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Read(c.keys), c.expected) << c.why;
}

}  // namespace
