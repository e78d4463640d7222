// Binding of an interface method to a free function by overwriting one entry
// of the interface's method table. The table belongs to the class, so a swap
// affects every object of the class in the process at once.
#pragma once
#include <cstdint>
#include <mutex>

namespace shellext {

// Stores `newEntry` in entry `entryNumber` (counted from 1) of the method
// table behind `objectPointer` and returns the entry it replaced. The entry's
// offset is computed in 16-bit arithmetic: an entry number whose offset does
// not fit raises RunError 6 before anything is written. Entries are code
// addresses, so they are as wide as a pointer. The memory is made writable
// for the one entry and gets its previous protection back.
uintptr_t SwapVtableEntry(void* objectPointer, int16_t entryNumber, uintptr_t newEntry);

// Keeps one table entry bound to a replacement while at least one object of
// the class lives: the first object in the process swaps the entry and keeps
// the class's own, the last one puts it back. Safe across threads.
class VtableBinding {
public:
    VtableBinding(int16_t entryNumber, uintptr_t replacement);
    VtableBinding(const VtableBinding&) = delete;
    VtableBinding& operator=(const VtableBinding&) = delete;

    // Called by each new object with its own interface pointer.
    void Attach(void* objectPointer);
    // Called by each object as it goes.
    void Detach(void* objectPointer) noexcept;

private:
    const int16_t entryNumber_;
    const uintptr_t replacement_;
    std::mutex mutex_;
    long objects_ = 0;
    uintptr_t classEntry_ = 0;  // the entry the first object replaced
};

}  // namespace shellext
