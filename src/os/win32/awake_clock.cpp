#include "os/win32/awake_clock.h"

#include <windows.h>

#include "platform/os_parts.h"

namespace rzv {
namespace {

// A DWORD under HKEY_LOCAL_MACHINE, or 0 where it is missing or of another type.
DWORD machineValue(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return 0;
    return value;
}

constexpr std::int64_t kFileTimeTicksPerMs = 10000;
constexpr std::int64_t kUnixEpochInFileTimeMs = 11644473600000;  // 1601 to 1970

}  // namespace

std::uint64_t Win32AwakeClock::awakeMilliseconds() {
    ULONGLONG hundredNanoseconds = 0;
    if (!QueryUnbiasedInterruptTime(&hundredNanoseconds)) return GetTickCount64();
    return hundredNanoseconds / kFileTimeTicksPerMs;
}

std::int64_t Win32AwakeClock::wallClockMilliseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = static_cast<std::int64_t>(
        (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return ticks / kFileTimeTicksPerMs - kUnixEpochInFileTimeMs;
}

bool Win32AwakeClock::fastStartupOn() {
    return machineValue(L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power",
                        L"HiberbootEnabled") == 1 &&
           machineValue(L"SYSTEM\\CurrentControlSet\\Control\\Power", L"HibernateEnabled") == 1;
}

std::unique_ptr<BootClocks> os::makeBootClocks() {
    return std::make_unique<Win32AwakeClock>();
}

}  // namespace rzv
