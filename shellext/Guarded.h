// Everything of the extension runs inside the shell's process: no failure may
// leave a COM method as an exception. Guarded runs a method's body and turns
// whatever escapes it into a failure code for the caller.
#pragma once
#include <windows.h>

#include <new>

namespace shellext {

template <typename Body>
HRESULT Guarded(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace shellext
