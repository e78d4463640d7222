// cMenu, the context-menu handler the shell creates for each right-click on a
// selection of files: it collects the selected paths (IShellExtInit), adds
// the item "Rename with &Nomaro" (IContextMenu) and, when the item is chosen,
// shows the context rename window on the paths.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <atomic>
#include <string>
#include <vector>

namespace shellext {

class ContextMenuHandler final : public IShellExtInit, public IContextMenu {
public:
    // Created with one reference, owned by the creator.
    ContextMenuHandler();
    ContextMenuHandler(const ContextMenuHandler&) = delete;
    ContextMenuHandler& operator=(const ContextMenuHandler&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IShellExtInit: appends the paths of the data object's file drop list.
    HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* dataObject,
                                         HKEY progIdKey) override;

    // IContextMenu. The class's own QueryContextMenu does nothing: while an
    // object lives its table entry is bound to ShellQueryContextMenu.
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst,
                                               UINT idCmdLast, UINT flags) override;
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* commandInfo) override;
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR commandOffset, UINT flags, UINT* reserved,
                                               CHAR* buffer, UINT bufferSize) override;

private:
    ~ContextMenuHandler();
    void AppendDropList(HGLOBAL block);
    // Hands the collected paths to the context rename window and shows it.
    void ShowRenameWindow(HWND owner);

    std::atomic<ULONG> references_{1};
    std::vector<std::wstring> files_;  // the collected paths, in the shell's order
};

// What the shell reaches through the QueryContextMenu entry of a handler's
// IContextMenu table: adds the item and its separator as the flags allow and
// returns the number of command ids used.
HRESULT STDMETHODCALLTYPE ShellQueryContextMenu(IContextMenu* self, HMENU menu, UINT indexMenu,
                                                UINT idCmdFirst, UINT idCmdLast, UINT flags);

}  // namespace shellext
