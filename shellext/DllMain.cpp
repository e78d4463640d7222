// The entry points of nomaro3x.dll, exported undecorated through nomaro3x.def.
#include <windows.h>

#include "shellext/Guarded.h"
#include "shellext/Server.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    // The server's start routine loads the automation library once, for the
    // life of the process; whether that succeeds changes nothing here.
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
