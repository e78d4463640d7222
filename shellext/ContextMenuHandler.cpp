#include "shellext/ContextMenuHandler.h"

#include <cstring>

#include "base/Ansi.h"
#include "base/Scoped.h"
#include "shellext/CommandStrings.h"
#include "shellext/DropList.h"
#include "shellext/Guarded.h"
#include "shellext/Server.h"
#include "shellext/ShowRenameWindow.h"
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
    explicit MediumRelease(STGMEDIUM& medium) : medium_(medium) {}
    ~MediumRelease() { ReleaseStgMedium(&medium_); }
    MediumRelease(const MediumRelease&) = delete;
    MediumRelease& operator=(const MediumRelease&) = delete;

private:
    STGMEDIUM& medium_;
};

// Whether a command record chooses the rename item: by its offset 0, or by
// the item's caption as a string verb (the wide one when the record carries it).
bool ChoosesRenameCommand(const CMINVOKECOMMANDINFO& info) {
    if (IS_INTRESOURCE(info.lpVerb)) return LOWORD(reinterpret_cast<uintptr_t>(info.lpVerb)) == 0;
    if (info.cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info.fMask & CMIC_MASK_UNICODE)) {
        const auto& extended = reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info);
        if (!IS_INTRESOURCE(extended.lpVerbW)) return IsRenameVerb(extended.lpVerbW);
    }
    return IsRenameVerb(base::FromAnsi(info.lpVerb));
}

// Holds a reference to an object for the length of a call.
class Hold {
public:
    explicit Hold(IUnknown* object) : object_(object) { object_->AddRef(); }
    ~Hold() { object_->Release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    IUnknown* object_;
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

ULONG ContextMenuHandler::AddRef() { return ++references_; }

ULONG ContextMenuHandler::Release() {
    ULONG left = --references_;
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
    base::LockedGlobal locked(block);
    const auto* bytes = static_cast<const unsigned char*>(locked.data());
    if (!bytes) return;
    for (std::wstring& name : ParseDropList(bytes, locked.size(), base::FromAnsi))
        files_.push_back(std::move(name));
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
            return S_OK;
        }
        // The ANSI form, its NUL included, must fit the same number of bytes;
        // a text that grows past it in a multi-byte code page is refused.
        const std::string ansi = base::ToAnsi(text);
        if (ansi.size() >= bufferSize) return E_FAIL;
        std::memcpy(buffer, ansi.c_str(), ansi.size() + 1);
        return S_OK;
    });
}

void ContextMenuHandler::ShowRenameWindow(HWND owner) {
    if (files_.empty()) {
        ui::MsgBox(owner, L"No files or folders were selected.", MB_OK | MB_ICONQUESTION, L"Nomaro");
        return;
    }
    ShowContextRenameWindow(owner, files_);
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
