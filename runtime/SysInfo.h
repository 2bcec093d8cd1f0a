#pragma once
// What the program knows about its environment: the operating system and
// physical memory (TSysInfo, for the splash window) and the program's own
// version (TInfo, for the splash window and the settings store's new-build
// detection).

#include <cstdint>
#include <string>

// Full path of the running program file; empty when the system cannot say.
std::string ProgramFileName();

// The platform families the system can report.
enum class TOSPlatform { Unknown, Win32s, Windows9x, WindowsNT, Other };

// A version query's answer.
struct TOSReport {
  TOSPlatform Platform = TOSPlatform::Unknown;
  std::int32_t Major = 0;
  std::int32_t Minor = 0;
  std::int32_t Build = 0;
  std::string ServicePack;  // Windows NT family only
  std::string SystemName;   // the kernel's own name (Other only), e.g. "Linux"
};

// The running system's answer, from uname().
TOSReport QueryOS();

class TSysInfo {
public:
  TSysInfo();  // detects the running system
  void DetectOS(const TOSReport& Report);

  // Name, " ", major, ".", minor, " build ", build number; the Windows NT
  // names add " " and the service pack.
  std::string GetOSText() const;
  // Total physical memory in mebibytes to the nearest tenth, e.g. "953.7 MB".
  std::string GetMemoryText() const;

  // 0 unknown or outside the Windows families (its name is then the
  // system's own, e.g. "Linux", when the system gave one), 1 to 15 the
  // Windows versions.
  std::uint8_t OSCode = 0;
  std::int32_t MajorVersion = 0;
  std::int32_t MinorVersion = 0;
  std::int32_t BuildNumber = 0;
  std::string ServicePack;
  std::string SystemName;
};

// Bytes as mebibytes rounded to one decimal, without a trailing zero, + " MB".
std::string MemoryText(std::uint64_t Bytes);

// A program file's version resource. This platform has none in the file:
// the program's own is compiled in from the project version.
struct TVersionResource {
  std::string Comments;
  std::string FileVersion;  // "major.minor.release.build"
};

inline constexpr const char* InfoNotAvailable = "<info not available>";

class TInfo {
public:
  TInfo();  // reads the program's own version
  // Resource nullptr: the file has no version resource.
  void ReadVersionInfo(const TVersionResource* Resource);

  std::string Comments = InfoNotAvailable;
  std::string Major = InfoNotAvailable;
  std::string Minor = InfoNotAvailable;
  std::string Release = InfoNotAvailable;
  std::string Build = InfoNotAvailable;
};
