#!/usr/bin/env bash
# The program starts on Windows 7 SP1 and later, and says so in its manifest. The loader of an
# older system refuses an exe that imports a function its DLLs lack. So the import table may
# hold none of the functions that came later (or on 7 SP1 only with an update); these are
# looked up at run time instead, with a fallback. The list names those the program uses or
# might: DPI per monitor and per thread, the DLL search, precise time, newer file and
# synchronisation calls, and whole DLLs that Windows 7 lacks.
set -euo pipefail
exe=$1
objdump=$2
newer_functions=(
    # user32, Windows 10 1607 and later
    GetDpiForWindow GetDpiForSystem GetSystemDpiForProcess SetThreadDpiAwarenessContext
    GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext AreDpiAwarenessContextsEqual
    GetAwarenessFromDpiAwarenessContext IsValidDpiAwarenessContext AdjustWindowRectExForDpi
    GetSystemMetricsForDpi SystemParametersInfoForDpi EnableNonClientDpiScaling
    SetProcessDpiAwarenessContext SetThreadDpiHostingBehavior SetDialogDpiChangeBehavior
    SetDialogControlDpiChangeBehavior GetDpiForShellUIComponent
    LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
    # user32, Windows 8
    SetCoalescableTimer EnableMouseInPointer GetPointerType GetPointerInfo IsImmersiveProcess
    GetDisplayAutoRotationPreferences
    # shcore, Windows 8.1
    GetDpiForMonitor SetProcessDpiAwareness GetProcessDpiAwareness GetScaleFactorForMonitor
    # kernel32: on Windows 7 only with KB2533623
    SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory
    # kernel32, Windows 8 and later
    GetSystemTimePreciseAsFileTime CreateFile2 CopyFile2 GetCurrentThreadStackLimits
    WaitOnAddress WakeByAddressSingle WakeByAddressAll InitializeSynchronizationBarrier
    EnterSynchronizationBarrier GetOverlappedResultEx PrefetchVirtualMemory GetFirmwareType
    CreateFileMappingFromApp SetThreadDescription GetThreadDescription
    QueryUnbiasedInterruptTimePrecise QueryInterruptTime QueryInterruptTimePrecise
    VirtualAlloc2 MapViewOfFile3 GetPackageFamilyName GetCurrentPackageId
)
newer_dlls=(shcore.dll ucrtbase.dll api-ms-win-)

table=$("$objdump" -p "$exe")
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$table" | tr '[:upper:]' '[:lower:]')
# The names in the import table's hint/name lines: "<tab>  <vma>  <hint>  <name>".
functions=$(awk '/^\tDLL Name:/ {inside = 1; next} /^$/ {inside = 0}
                 inside && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print $3}' <<<"$table")
passed=0
failed=0
[ -n "$functions" ] || { echo "FAIL: no imported functions read from $exe"; exit 1; }
for name in "${newer_functions[@]}"; do
    if grep -qx "$name" <<<"$functions"; then
        echo "FAIL: imports $name, which Windows 7 SP1 lacks"
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
done
for dll in "${newer_dlls[@]}"; do
    if grep -q "^$dll" <<<"$dlls"; then
        echo "FAIL: imports from $(grep "^$dll" <<<"$dlls" | head -1), which Windows 7 SP1 lacks"
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
done
# What the system may lack is looked up by name at run time instead.
for name in SetDefaultDllDirectories; do
    if LC_ALL=C grep -qa "$name" "$exe"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $name is not looked up at run time"
        failed=$((failed + 1))
    fi
done
# The time awake comes from the call that leaves out sleep and hibernation, which Windows 7 has.
if grep -qx QueryUnbiasedInterruptTime <<<"$functions"; then
    passed=$((passed + 1))
else
    echo "FAIL: QueryUnbiasedInterruptTime is not imported"
    failed=$((failed + 1))
fi
# The embedded manifest names Windows 7, 8, 8.1 and 10 as supported: a system it leaves out
# treats the program as one written for older systems and applies their compatibility shims.
for id in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
    1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    if LC_ALL=C grep -qa "<supportedOS Id=\"{$id}\"/>" "$exe"; then
        passed=$((passed + 1))
    else
        echo "FAIL: the manifest does not name supportedOS $id"
        failed=$((failed + 1))
    fi
done
echo "minimum Windows 7 SP1: $(wc -l <<<"$functions") functions imported; $passed passed, $failed failed"
[ "$failed" -eq 0 ]
