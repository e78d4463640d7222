// The entry points of nomaro3x.dll, exported undecorated through nomaro3x.def.
#include <windows.h>

#include "shellext/Guarded.h"
#include "shellext/Server.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    // The server's start routine loads the automation library once, for the
    // life of the process; whether that succeeds changes nothing here. This
    // runs under the loader lock: in the file manager, which uses the library
    // itself, it only raises a reference count. A bare host (a test program,
    // the registration tool) may not have it yet and maps it here; what it
    // depends on (ole32 and the core system libraries) this DLL imports
    // itself, so it is loaded already. Nothing else may be loaded from here.
    if (reason == DLL_PROCESS_ATTACH) LoadLibraryA("oleaut32.dll");
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return shellext::GetClassObject(clsid, iid, object);
}

STDAPI DllCanUnloadNow() { return shellext::ServerInUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() {
    return shellext::Guarded([] { return shellext::RegisterServer(shellext::ServerModulePath()); });
}

STDAPI DllUnregisterServer() { return shellext::UnregisterServer(); }
