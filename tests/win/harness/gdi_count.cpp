#include "gdi_count.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace {

// One entry of the GDI shared handle table (64-bit layout).
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t ownerProcessId;
    std::uint16_t ownerLockCount;
    std::uint16_t unique;
    std::uint8_t type; // 0 for a free entry
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle entries are 24 bytes on x64");

constexpr int kHandleCount = 0x10000;
// Offset of GdiSharedHandleTable in the x64 process environment block.
constexpr std::size_t kPebGdiTableOffset = 0xF8;

// PROCESS_BASIC_INFORMATION as NtQueryInformationProcess fills it for class 0.
struct ProcessBasicInformation {
    LONG exitStatus;
    const std::uint8_t* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR inheritedFromUniqueProcessId;
};
using QueryInformationProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

const GdiHandleEntry* GdiHandleTable() {
    if (sizeof(void*) != 8) {
        return nullptr;
    }
    const auto query = reinterpret_cast<QueryInformationProcess>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    ProcessBasicInformation info = {};
    if (query == nullptr || query(::GetCurrentProcess(), 0, &info, sizeof info, nullptr) != 0 ||
        info.pebBaseAddress == nullptr) {
        return nullptr;
    }
    return *reinterpret_cast<const GdiHandleEntry* const*>(info.pebBaseAddress +
                                                           kPebGdiTableOffset);
}

} // namespace

int CountGdiObjects() {
    const GdiHandleEntry* table = GdiHandleTable();
    if (table == nullptr) {
        ADD_FAILURE() << "the GDI handle table of the process cannot be found";
        return -1;
    }
    // On Windows the table is shared by the session: count only this process's entries and the
    // stock objects (owner 0).
    const auto self = static_cast<std::uint16_t>(::GetCurrentProcessId());
    int count = 0;
    for (int i = 0; i < kHandleCount; ++i) {
        const GdiHandleEntry& entry = table[i];
        if (entry.type != 0 && (entry.ownerProcessId == 0 || entry.ownerProcessId == self)) {
            ++count;
        }
    }
    // The stock objects are always there: an empty table is one misread.
    if (count <= 0) {
        ADD_FAILURE() << "no live GDI object in the process's handle table";
    }
    return count;
}
