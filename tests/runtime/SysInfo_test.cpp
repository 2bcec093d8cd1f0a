#include "runtime/SysInfo.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct OSCase {
  TOSReport report;
  std::uint8_t code;
  std::string text;
};

}  // namespace

TEST(SysInfo, DetectsTheWindowsVersionsOfTheTable) {
  using P = TOSPlatform;
  const std::vector<OSCase> cases = {
      {{P::Unknown, 0, 0, 0, "", ""}, 0, "Unknown 0.0 build 0"},
      {{P::Win32s, 3, 10, 77, "", ""}, 1, "Windows 3.1 3.10 build 0"},
      {{P::Windows9x, 3, 95, 0, "", ""}, 2, "Win32 under Windows 3.95 build 0"},
      {{P::Windows9x, 4, 0, 0x040003B6, " ", ""}, 4, "Windows 95 4.0 build 950"},
      {{P::Windows9x, 4, 0, 1111, " B", ""}, 5, "Windows 95 B OSR2 4.0 build 1111"},
      {{P::Windows9x, 4, 0, 1212, " C", ""}, 6, "Windows 95 C OSR2 4.0 build 1212"},
      {{P::Windows9x, 4, 10, 0x040A07CE, "", ""}, 7, "Windows 98 4.10 build 1998"},
      {{P::Windows9x, 4, 10, 2222, " A ", ""}, 8, "Windows 98 SE 4.10 build 2222"},
      {{P::Windows9x, 4, 90, 3000, "", ""}, 9, "Windows ME 4.90 build 3000"},
      {{P::WindowsNT, 3, 51, 1057, "Service Pack 5", ""}, 10, "Windows NT  3.51 build 1057 Service Pack 5"},
      {{P::WindowsNT, 4, 0, 1381, "Service Pack 6", ""}, 11, "Windows NT  4.0 build 1381 Service Pack 6"},
      {{P::WindowsNT, 5, 0, 2195, "", ""}, 12, "Windows 2000 5.0 build 2195 "},
      {{P::WindowsNT, 5, 1, 2600, std::string("Service Pack 3\0junk", 19), ""}, 13,
       "Windows XP 5.1 build 2600 Service Pack 3"},
      {{P::WindowsNT, 5, 2, 3790, "", ""}, 14, "Windows .NET Server 5.2 build 3790 "},
      {{P::WindowsNT, 5, 3, 1, "", ""}, 15, "Windows XP/NET+ 5.3 build 1 "},
      {{P::WindowsNT, 6, 1, 7601, "Service Pack 1", ""}, 3, "Win32 under Windows NT 6.1 build 7601"},
      {{P::Other, 6, 1, 99, "", "Linux"}, 0, "Linux 6.1 build 0"},
  };
  for (const OSCase& c : cases) {
    TSysInfo info;
    info.DetectOS(c.report);
    EXPECT_EQ(info.OSCode, c.code) << c.text;
    EXPECT_EQ(info.GetOSText(), c.text);
  }
}

TEST(SysInfo, ServicePackTextIsReadOnTheNTFamilyOnlyAndCutAt128) {
  TSysInfo info;
  info.DetectOS({TOSPlatform::WindowsNT, 5, 1, 1, std::string(200, 'x'), ""});
  EXPECT_EQ(info.ServicePack.size(), 128u);
  info.DetectOS({TOSPlatform::Windows9x, 4, 0, 1, " B", ""});
  EXPECT_EQ(info.ServicePack, "");
}

TEST(SysInfo, DescribesTheRunningSystem) {
  TOSReport report = QueryOS();
  EXPECT_EQ(report.Platform, TOSPlatform::Other);
  EXPECT_EQ(report.SystemName, "Linux");
  EXPECT_GT(report.Major, 0);
  TSysInfo info;
  EXPECT_EQ(info.GetOSText().rfind("Linux " + std::to_string(report.Major) + ".", 0), 0u) << info.GetOSText();
  EXPECT_NE(info.GetMemoryText(), "0 MB");
  EXPECT_EQ(std::filesystem::path(ProgramFileName()).filename(), "runtime_tests");
}

TEST(SysInfo, MemoryInMebibytesToTheNearestTenth) {
  const std::vector<std::pair<std::uint64_t, std::string>> cases = {
      {512ull << 20, "512 MB"},      {1000000000ull, "953.7 MB"},          {0, "0 MB"},
      {(1ull << 20) * 3 / 2, "1.5 MB"}, {(1ull << 20) - 1, "1 MB"},        {52428ull, "0 MB"},
      {52429ull, "0.1 MB"},          {UINT64_MAX, "17592186044416 MB"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(MemoryText(bytes), text) << bytes << " bytes";
}

TEST(SysInfo, FileVersionSplitsIntoFourParts) {
  struct Case {
    std::string fileVersion, major, minor, release, build;
  };
  const std::string NA = InfoNotAvailable;
  const std::vector<Case> cases = {
      {"2.1.0.57", "2", "1", "0", "57"},
      {"2, 1, 0, 57", "2", " 1", " 0", " 57"},
      {"1.2.3", "1", "2", "", "3"},
      {"1.2", "1", "", "", "2"},
      {"1.2.3.4.5", "1", "2", "3", "4.5"},
      {"2,1.5", "2,1", "", "", "5"},
      {"57", NA, NA, NA, NA},
      {"", NA, NA, NA, NA},
  };
  for (const Case& c : cases) {
    TInfo info;
    TVersionResource resource{"a comment", c.fileVersion};
    info.ReadVersionInfo(&resource);
    EXPECT_EQ(info.Comments, "a comment");
    EXPECT_EQ(info.Major, c.major) << c.fileVersion;
    EXPECT_EQ(info.Minor, c.minor) << c.fileVersion;
    EXPECT_EQ(info.Release, c.release) << c.fileVersion;
    EXPECT_EQ(info.Build, c.build) << c.fileVersion;
  }
}

TEST(SysInfo, WithoutAVersionResourceNothingIsAvailable) {
  TInfo info;
  info.ReadVersionInfo(nullptr);
  for (const std::string* part : {&info.Comments, &info.Major, &info.Minor, &info.Release, &info.Build})
    EXPECT_EQ(*part, InfoNotAvailable);
}

TEST(SysInfo, TheProgramKnowsItsOwnVersion) {
  TInfo info;
  EXPECT_EQ(info.Comments, "");
  for (const std::string* part : {&info.Major, &info.Minor, &info.Release, &info.Build}) {
    EXPECT_FALSE(part->empty());
    EXPECT_EQ(part->find_first_not_of("0123456789"), std::string::npos) << *part;
  }
}
