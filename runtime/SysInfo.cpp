#include "runtime/SysInfo.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>
#include <sys/utsname.h>
#include <unistd.h>

#ifndef QUANTREL_FILE_VERSION
#error "QUANTREL_FILE_VERSION comes from the build (runtime/CMakeLists.txt)"
#endif

namespace {

constexpr std::array<const char*, 16> OSNames = {
    "Unknown",          "Windows 3.1",         "Win32 under Windows", "Win32 under Windows NT",
    "Windows 95",       "Windows 95 B OSR2",   "Windows 95 C OSR2",   "Windows 98",
    "Windows 98 SE",    "Windows ME",          "Windows NT ",         "Windows NT ",
    "Windows 2000",     "Windows XP",          "Windows .NET Server", "Windows XP/NET+"};

constexpr std::uint8_t FirstNTCode = 10;
constexpr std::size_t MaxServicePack = 128;

// The 9x releases tell their editions apart by the second character of the
// service-pack text (" B", " C", " A").
char Edition(const TOSReport& report) { return report.ServicePack.size() > 1 ? report.ServicePack[1] : '\0'; }

std::uint8_t Windows9xCode(const TOSReport& report) {
  if (report.Major != 4) return 2;
  switch (report.Minor) {
    case 0: return Edition(report) == 'B' ? 5 : Edition(report) == 'C' ? 6 : 4;
    case 10: return Edition(report) == 'A' ? 8 : 7;
    case 90: return 9;
    default: return 2;
  }
}

std::uint8_t WindowsNTCode(const TOSReport& report) {
  switch (report.Major) {
    case 3: return 10;
    case 4: return 11;
    case 5: return report.Minor <= 2 ? static_cast<std::uint8_t>(12 + report.Minor) : 15;
    default: return 3;
  }
}

std::uint8_t OSCodeOf(const TOSReport& report) {
  switch (report.Platform) {
    case TOSPlatform::Win32s: return 1;
    case TOSPlatform::Windows9x: return Windows9xCode(report);
    case TOSPlatform::WindowsNT: return WindowsNTCode(report);
    default: return 0;
  }
}

std::int32_t BuildNumberOf(const TOSReport& report) {
  switch (report.Platform) {
    case TOSPlatform::Windows9x: return report.Build & 0xFFFF;
    case TOSPlatform::WindowsNT: return report.Build;
    default: return 0;
  }
}

// Reads a leading decimal number (kept below 2^31) and moves past it and one following ".".
std::int32_t TakeNumber(const char*& text) {
  std::int32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text)
    if (value < 100000000) value = value * 10 + (*text - '0');
  if (*text == '.') ++text;
  return value;
}

}  // namespace

std::string ProgramFileName() {
  std::error_code error;
  std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : file.string();
}

TOSReport QueryOS() {
  TOSReport report;
  utsname names;
  if (uname(&names) != 0) return report;
  report.Platform = TOSPlatform::Other;
  report.SystemName = names.sysname;
  const char* release = names.release;  // e.g. "6.1.0-13-amd64"
  report.Major = TakeNumber(release);
  report.Minor = TakeNumber(release);
  return report;
}

TSysInfo::TSysInfo() { DetectOS(QueryOS()); }

void TSysInfo::DetectOS(const TOSReport& Report) {
  OSCode = OSCodeOf(Report);
  MajorVersion = Report.Major;
  MinorVersion = Report.Minor;
  BuildNumber = BuildNumberOf(Report);
  ServicePack.clear();
  if (Report.Platform == TOSPlatform::WindowsNT)
    ServicePack = Report.ServicePack.substr(0, std::min(Report.ServicePack.find('\0'), MaxServicePack));
  SystemName = Report.Platform == TOSPlatform::Other ? Report.SystemName : std::string();
}

std::string TSysInfo::GetOSText() const {
  std::string name = OSCode == 0 && !SystemName.empty() ? SystemName : OSNames[OSCode];
  std::string text = name + " " + std::to_string(MajorVersion) + "." + std::to_string(MinorVersion) + " build " +
                     std::to_string(BuildNumber);
  return OSCode >= FirstNTCode ? text + " " + ServicePack : text;
}

std::string TSysInfo::GetMemoryText() const {
  long pages = sysconf(_SC_PHYS_PAGES);
  long pageSize = sysconf(_SC_PAGESIZE);
  std::uint64_t bytes = pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : 0;
  return MemoryText(bytes);
}

std::string MemoryText(std::uint64_t Bytes) {
  constexpr unsigned Mebibyte = 1u << 20;
  unsigned __int128 tenths = (static_cast<unsigned __int128>(Bytes) * 10 + Mebibyte / 2) / Mebibyte;
  std::string text = std::to_string(static_cast<std::uint64_t>(tenths / 10));
  if (unsigned decimal = static_cast<unsigned>(tenths % 10)) text += "." + std::to_string(decimal);
  return text + " MB";
}

TInfo::TInfo() {
  static const TVersionResource ProgramVersion{"", QUANTREL_FILE_VERSION};
  ReadVersionInfo(&ProgramVersion);
}

void TInfo::ReadVersionInfo(const TVersionResource* Resource) {
  Comments = Major = Minor = Release = Build = InfoNotAvailable;
  if (!Resource) return;
  Comments = Resource->Comments;
  const std::string& text = Resource->FileVersion;
  char separator = text.find('.') != std::string::npos ? '.' : text.find(',') != std::string::npos ? ',' : '\0';
  if (!separator) return;
  // Up to three leading parts; the rest, separators and all, is the build.
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; parts.size() < 3 && (end = text.find(separator, start)) != std::string::npos; start = end + 1)
    parts.push_back(text.substr(start, end - start));
  parts.push_back(text.substr(start));
  Major = parts.front();
  Minor = parts.size() > 2 ? parts[1] : "";
  Release = parts.size() > 3 ? parts[2] : "";
  Build = parts.back();
}
