#include "shellext/ContextMenuHandler.h"

#include <cstring>

#include "shellext/CommandStrings.h"
#include "shellext/DropList.h"
#include "shellext/Guarded.h"
#include "shellext/Server.h"
#include "shellext/ThreadState.h"
#include "shellext/VtableSwap.h"
#include "ui/MsgBox.h"

namespace shellext {

namespace {

// QueryContextMenu is the fourth entry of IContextMenu's method table.
constexpr int16_t kQueryContextMenuEntry = 4;

VtableBinding& QueryContextMenuBinding() {
    static VtableBinding binding(kQueryContextMenuEntry,
                                 reinterpret_cast<uintptr_t>(&ShellQueryContextMenu));
    return binding;
}

// Gives the storage medium of a GetData call back however the caller leaves.
class MediumRelease {
public:
    explicit MediumRelease(STGMEDIUM& medium) : mMedium(medium) {}
    ~MediumRelease() { ReleaseStgMedium(&mMedium); }
    MediumRelease(const MediumRelease&) = delete;
    MediumRelease& operator=(const MediumRelease&) = delete;

private:
    STGMEDIUM& mMedium;
};

std::wstring WideFromAnsi(const char* text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

// Whether a command record chooses the rename item: by its offset 0, or by
// the item's caption as a string verb (the wide one when the record carries it).
bool ChoosesRenameCommand(const CMINVOKECOMMANDINFO& info) {
    if (IS_INTRESOURCE(info.lpVerb)) return LOWORD(reinterpret_cast<uintptr_t>(info.lpVerb)) == 0;
    if (info.cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info.fMask & CMIC_MASK_UNICODE)) {
        const auto& extended = reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info);
        if (!IS_INTRESOURCE(extended.lpVerbW)) return IsRenameVerb(extended.lpVerbW);
    }
    return IsRenameVerb(WideFromAnsi(info.lpVerb));
}

// Keeps a global memory block locked while it is read, however the reading ends.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : mBlock(block), mData(GlobalLock(block)) {}
    ~GlobalLockGuard() {
        if (mData) GlobalUnlock(mBlock);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    const void* Data() const { return mData; }

private:
    HGLOBAL mBlock;
    void* mData;
};

// Holds a reference to an object for the length of a call.
class Hold {
public:
    explicit Hold(IUnknown* object) : mObject(object) { mObject->AddRef(); }
    ~Hold() { mObject->Release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    IUnknown* mObject;
};

}  // namespace

ContextMenuHandler::ContextMenuHandler() {
    QueryContextMenuBinding().Attach(static_cast<IContextMenu*>(this));
    ServerObjectCreated();
}

ContextMenuHandler::~ContextMenuHandler() {
    QueryContextMenuBinding().Detach(static_cast<IContextMenu*>(this));
    ServerObjectDestroyed();
}

HRESULT ContextMenuHandler::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IShellExtInit)
        *object = static_cast<IShellExtInit*>(this);
    else if (iid == IID_IContextMenu)
        *object = static_cast<IContextMenu*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ContextMenuHandler::AddRef() { return ++mReferences; }

ULONG ContextMenuHandler::Release() {
    ULONG left = --mReferences;
    if (left == 0) delete this;
    return left;
}

HRESULT ContextMenuHandler::Initialize(PCIDLIST_ABSOLUTE, IDataObject* dataObject, HKEY) {
    if (!dataObject) return E_INVALIDARG;
    return Guarded([&] {
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        HRESULT result = dataObject->GetData(&format, &medium);
        if (FAILED(result)) return result;
        MediumRelease release(medium);
        if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) return DV_E_TYMED;
        AppendDropList(medium.hGlobal);
        return S_OK;
    });
}

// The names are read straight from the dropped-files block, at their full
// length and in one pass (asking the system for each name twice costs more
// than the rest of a right-click together when many files are selected).
void ContextMenuHandler::AppendDropList(HGLOBAL block) {
    GlobalLockGuard lock(block);
    const auto* bytes = static_cast<const unsigned char*>(lock.Data());
    if (!bytes) return;
    std::vector<std::wstring> names =
        ParseDropList(bytes, GlobalSize(block), [](const std::string& ansi) {
            int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                             nullptr, 0);
            std::wstring wide(static_cast<size_t>(length), L'\0');
            MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                length);
            return wide;
        });
    for (std::wstring& name : names) mFiles.push_back(std::move(name));
}

HRESULT ContextMenuHandler::QueryContextMenu(HMENU, UINT, UINT, UINT, UINT) {
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
}

HRESULT ContextMenuHandler::InvokeCommand(CMINVOKECOMMANDINFO* commandInfo) {
    if (!commandInfo) return E_INVALIDARG;
    return Guarded([&] {
        if (commandInfo->cbSize < sizeof(CMINVOKECOMMANDINFO)) return E_INVALIDARG;
        if (ChoosesRenameCommand(*commandInfo)) ShowRenameWindow(commandInfo->hwnd);
        return S_OK;
    });
}

HRESULT ContextMenuHandler::GetCommandString(UINT_PTR commandOffset, UINT flags, UINT*, CHAR* buffer,
                                             UINT bufferSize) {
    return Guarded([&] {
        auto request = ParseCommandStringFlags(flags);
        if (!request) return S_OK;
        if (bufferSize < 1) return E_INVALIDARG;
        if (!buffer) return E_POINTER;
        std::wstring text = CutToBuffer(CommandStringText(request->kind, commandOffset), bufferSize);
        if (request->wide) {
            std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        } else if (WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, static_cast<int>(bufferSize),
                                       nullptr, nullptr) == 0) {
            return E_FAIL;
        }
        return S_OK;
    });
}

void ContextMenuHandler::ShowRenameWindow(HWND owner) {
    if (mFiles.empty()) {
        ui::MsgBox(owner, L"No files or folders were selected.", MB_OK | MB_ICONQUESTION, L"Nomaro");
        return;
    }
    ShowContextRenameWindow(owner, mFiles);
}

HRESULT STDMETHODCALLTYPE ShellQueryContextMenu(IContextMenu* self, HMENU menu, UINT indexMenu,
                                                UINT idCmdFirst, UINT, UINT flags) {
    if (!self) return E_POINTER;
    return Guarded([&] {
        Hold hold(self);
        if (!AddsMenuItem(flags)) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
        std::wstring caption(kMenuItemText);
        InsertMenuW(menu, indexMenu, MF_BYPOSITION | MF_STRING, idCmdFirst, caption.c_str());
        InsertMenuW(menu, indexMenu + 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
    });
}

}  // namespace shellext
