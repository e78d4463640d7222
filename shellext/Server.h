// The in-process COM server: its class, its life-time count and its entries
// in the registry. The DLL's exports are thin calls into these.
#pragma once
#include <windows.h>

#include <string>

namespace shellext {

// The class identifier of cMenu, the context-menu handler.
extern const CLSID kContextMenuClsid;
inline constexpr wchar_t kContextMenuProgId[] = L"ContextMenu.cMenu";
inline constexpr wchar_t kContextMenuClassName[] = L"cMenu";

// Objects and class-factory locks alive in the process; the server may be
// unloaded only while both are zero.
void ServerObjectCreated() noexcept;
void ServerObjectDestroyed() noexcept;
void ServerLock(bool lock) noexcept;
bool ServerInUse() noexcept;

// The class factory of cMenu for kContextMenuClsid; CLASS_E_CLASSNOTAVAILABLE
// for any other class.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) noexcept;

// The full path of the module (DLL or program) this code is linked into.
std::wstring ServerModulePath();

// Writes the class, its in-process server and its ProgID under
// HKEY_CLASSES_ROOT, the server being `modulePath`; removes them again.
HRESULT RegisterServer(const std::wstring& modulePath) noexcept;
HRESULT UnregisterServer() noexcept;

}  // namespace shellext
