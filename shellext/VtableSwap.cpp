#include "shellext/VtableSwap.h"

#include <windows.h>

#include "base/Int16.h"

namespace shellext {

namespace {
// One code address: 4 bytes in a 32-bit process, 8 in a 64-bit one.
constexpr int16_t kEntrySize = sizeof(void*);
}  // namespace

uintptr_t SwapVtableEntry(void* objectPointer, int16_t entryNumber, uintptr_t newEntry) {
    uintptr_t table = 0;
    RtlMoveMemory(&table, objectPointer, sizeof table);
    int16_t offset = base::Mul16(base::Sub16(entryNumber, 1), kEntrySize);
    auto* entry = reinterpret_cast<void*>(table + offset);

    uintptr_t previous = 0;
    RtlMoveMemory(&previous, entry, sizeof previous);
    DWORD protection = 0;
    VirtualProtect(entry, kEntrySize, PAGE_EXECUTE_READWRITE, &protection);
    RtlMoveMemory(entry, &newEntry, sizeof newEntry);
    DWORD unused = 0;
    VirtualProtect(entry, kEntrySize, protection, &unused);
    return previous;
}

VtableBinding::VtableBinding(int16_t entryNumber, uintptr_t replacement)
    : entryNumber_(entryNumber), replacement_(replacement) {}

void VtableBinding::Attach(void* objectPointer) {
    std::lock_guard lock(mutex_);
    if (objects_ == 0) classEntry_ = SwapVtableEntry(objectPointer, entryNumber_, replacement_);
    ++objects_;
}

void VtableBinding::Detach(void* objectPointer) noexcept {
    std::lock_guard lock(mutex_);
    if (objects_ == 0) return;
    if (--objects_ > 0) return;
    try {
        SwapVtableEntry(objectPointer, entryNumber_, classEntry_);
    } catch (...) {
        // The entry number was accepted by Attach, so the swap cannot overflow here.
    }
}

}  // namespace shellext
