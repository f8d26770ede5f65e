#pragma once
#include <cstdint>
#include <optional>

namespace tolva::platform {

// A kernel object handle; 0 is none.
using KernelHandle = std::uintptr_t;
inline constexpr KernelHandle NullKernelHandle = 0;

inline constexpr std::uint32_t ErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS

// The platform ids of OSVERSIONINFOA.
inline constexpr std::uint32_t VerPlatformWin32s = 0;         // VER_PLATFORM_WIN32s
inline constexpr std::uint32_t VerPlatformWin32Windows = 1;   // VER_PLATFORM_WIN32_WINDOWS: 95 family
inline constexpr std::uint32_t VerPlatformWin32Nt = 2;        // VER_PLATFORM_WIN32_NT

// The fields of OSVERSIONINFOA the program reads.
struct VersionRecord {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t buildNumber = 0;
  std::uint32_t platformId = VerPlatformWin32s;  // what a failed query leaves
};

// The fields of MEMORYSTATUS the program reads, each 32 bits wide as on 32-bit Windows.
struct MemoryStatus {
  std::uint32_t length = 0;       // dwLength: the record's size, set by the caller
  std::uint32_t memoryLoad = 0;   // dwMemoryLoad: percent of physical memory in use, 0 to 100
  std::uint32_t totalPhys = 0;    // dwTotalPhys: bytes of physical memory
};
inline constexpr std::uint32_t MemoryStatusSize = 32;  // sizeof(MEMORYSTATUS) on 32-bit Windows

// The fields of MEMORYSTATUSEX the program reads: its total is 64 bits wide.
struct MemoryStatusEx {
  std::uint32_t memoryLoad = 0;  // dwMemoryLoad
  std::uint64_t totalPhys = 0;   // ullTotalPhys
};

// Kernel services: the named mutex of the single-instance guard, the version query and the
// memory status.
class Kernel {
 public:
  virtual ~Kernel() = default;
  virtual KernelHandle CreateMutexA(bool initialOwner, const char* name) = 0;
  // The calling thread's last error, as left by the previous call.
  virtual std::uint32_t GetLastError() = 0;
  virtual bool ReleaseMutex(KernelHandle mutex) = 0;
  virtual bool CloseHandle(KernelHandle handle) = 0;
  // GetVersionExA on an OSVERSIONINFOA with its size field set to 148; false on failure, the
  // record then left as it came.
  virtual bool GetVersionExA(VersionRecord& version) = 0;
  // GlobalMemoryStatus, which reports no failure: the record's length field is the caller's to
  // set, the figures are filled in.
  virtual void GlobalMemoryStatus(MemoryStatus& status) = 0;
  // GlobalMemoryStatusEx (Windows 2000 and later), looked up at run time: nothing where it is
  // missing or fails.
  virtual std::optional<MemoryStatusEx> GlobalMemoryStatusEx() = 0;
};

}  // namespace tolva::platform
