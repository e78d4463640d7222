#include "shellext/Server.h"

#include <olectl.h>

#include <atomic>

#include "base/Module.h"
#include "base/Scoped.h"
#include "shellext/ClassFactory.h"
#include "shellext/Guarded.h"
#include "ui/Form.h"

namespace shellext {

// {11757562-0E2B-4BA2-8F39-EF49D9300A9D}
const CLSID kContextMenuClsid = {0x11757562, 0x0E2B, 0x4BA2, {0x8F, 0x39, 0xEF, 0x49, 0xD9, 0x30, 0x0A, 0x9D}};

namespace {

std::atomic<long> gServerObjects{0};
std::atomic<long> gServerLocks{0};

std::wstring ClsidText(REFCLSID clsid) {
    wchar_t text[40] = {};
    StringFromGUID2(clsid, text, 40);
    return text;
}

std::wstring ClsidKey() { return L"CLSID\\" + ClsidText(kContextMenuClsid); }

// Creates the key (and its parents) under HKEY_CLASSES_ROOT and sets one
// string value: the default value when `name` is null.
LSTATUS SetClassesValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    base::RegistryKey handle;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, handle.Receive(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    return RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteClassesTree(const std::wstring& key) {
    LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        status = RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
        if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
    }
    return status;
}

}  // namespace

void ServerObjectCreated() noexcept { ++gServerObjects; }
void ServerObjectDestroyed() noexcept { --gServerObjects; }

void ServerLock(bool lock) noexcept {
    if (lock)
        ++gServerLocks;
    else
        --gServerLocks;
}

bool ServerInUse() noexcept { return gServerObjects > 0 || gServerLocks > 0; }

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid != kContextMenuClsid) return CLASS_E_CLASSNOTAVAILABLE;
    return Guarded([&] {
        const base::ComPtr<ClassFactory> factory(new ClassFactory());
        return factory->QueryInterface(iid, object);
    });
}

std::wstring ServerModulePath() { return base::ModulePath(base::CodeModule()); }

HRESULT RegisterServer(const std::wstring& modulePath) noexcept {
    return Guarded([&] {
        const std::wstring clsidKey = ClsidKey();
        const std::wstring serverKey = clsidKey + L"\\InprocServer32";
        const std::wstring progIdKey = kContextMenuProgId;
        LSTATUS statuses[] = {
            SetClassesValue(clsidKey, nullptr, kContextMenuClassName),
            SetClassesValue(serverKey, nullptr, modulePath),
            SetClassesValue(serverKey, L"ThreadingModel", L"Apartment"),
            SetClassesValue(clsidKey + L"\\ProgID", nullptr, kContextMenuProgId),
            SetClassesValue(progIdKey, nullptr, kContextMenuClassName),
            SetClassesValue(progIdKey + L"\\CLSID", nullptr, ClsidText(kContextMenuClsid)),
        };
        for (LSTATUS status : statuses)
            if (status != ERROR_SUCCESS) return SELFREG_E_CLASS;
        return S_OK;
    });
}

HRESULT UnregisterServer() noexcept {
    return Guarded([&] {
        bool removed = DeleteClassesTree(ClsidKey()) == ERROR_SUCCESS;
        removed = DeleteClassesTree(kContextMenuProgId) == ERROR_SUCCESS && removed;
        return removed ? S_OK : SELFREG_E_CLASS;
    });
}

}  // namespace shellext
