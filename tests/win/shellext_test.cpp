// The context-menu handler inside this test program, created through the
// server's own class factory: collecting real shell selections, the menu
// item on real popup menus, command strings, commands, and the method-table
// binding. The context rename window is not linked in: a recorder takes its
// place and keeps what the handler hands over.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "base/RunError.h"
#include "shellext/ContextMenuHandler.h"
#include "shellext/Server.h"
#include "shellext/ShowRenameWindow.h"
#include "shellext/VtableSwap.h"
#include "tests/error_number.h"
#include "tests/win/prompts.h"
#include "tests/win/shell_files.h"

using testing_support::ErrorNumberOf;
using testing_support::ScriptedPrompts;
using testing_support::ShellDataObject;
using testing_support::TempFolder;
using Paths = std::vector<std::wstring>;

namespace {

struct WindowCall {
    void* owner;
    Paths files;  // the selection the window was asked to show
};
std::vector<WindowCall> gWindowCalls;
std::function<void()> gWindowFailure;  // what the window raises, when set

}  // namespace

namespace shellext {

void ShowContextRenameWindow(void* owner, const std::vector<std::wstring>& files) {
    gWindowCalls.push_back({owner, files});
    if (gWindowFailure) gWindowFailure();
}

}  // namespace shellext

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using Com = std::unique_ptr<T, ComRelease>;

Com<IContextMenu> CreateHandler() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory)),
              S_OK);
    if (!factory) return nullptr;
    IContextMenu* menu = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    factory->Release();
    return Com<IContextMenu>(menu);
}

Com<IShellExtInit> InitOf(IContextMenu* menu) {
    IShellExtInit* init = nullptr;
    EXPECT_EQ(menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)), S_OK);
    return Com<IShellExtInit>(init);
}

HRESULT InvokeByOffset(IContextMenu* menu, UINT offset, HWND owner = nullptr) {
    static_assert(sizeof(CMINVOKECOMMANDINFO) == 36);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(offset);
    return menu->InvokeCommand(&info);
}

HRESULT InvokeByVerb(IContextMenu* menu, const char* verb) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = verb;
    return menu->InvokeCommand(&info);
}

// The extended record as a Unicode-aware file manager fills it.
HRESULT InvokeExtended(IContextMenu* menu, const char* verb, const wchar_t* verbW, bool unicode = true) {
    CMINVOKECOMMANDINFOEX info{};
    info.cbSize = sizeof info;
    info.fMask = unicode ? CMIC_MASK_UNICODE : 0;
    info.lpVerb = verb;
    info.lpVerbW = verbW;
    return menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
}

// A file drop list as the clipboard carries it, wide or in the ANSI code page:
// each name ends in a NUL, and one more NUL ends the list. An empty list is
// two NULs (the system reads one name of length 0 from it).
template <typename Char>
HGLOBAL DropList(const std::vector<std::basic_string<Char>>& paths) {
    size_t characters = paths.empty() ? 2 : 1;
    for (const auto& path : paths) characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(Char));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = sizeof(Char) == sizeof(wchar_t);
    auto* out = reinterpret_cast<Char*>(drop + 1);
    for (const auto& path : paths) {
        std::memcpy(out, path.c_str(), path.size() * sizeof(Char));
        out += path.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

// A data object of our own: serves one HGLOBAL for CF_HDROP, or fails GetData
// with a given code. Its medium is released through the object itself, so its
// reference count shows whether the caller gave the medium back.
class FixedDataObject final : public IDataObject {
public:
    explicit FixedDataObject(HGLOBAL dropList) : drop_(dropList) {}
    explicit FixedDataObject(HRESULT failure) : failure_(failure) {}
    ~FixedDataObject() {
        if (drop_) GlobalFree(drop_);
    }
    ULONG references = 1;
    int getDataCalls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IDataObject) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        ++getDataCalls;
        if (FAILED(failure_)) return failure_;
        if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = drop_;
        medium->pUnkForRelease = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return failure_; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    HGLOBAL drop_ = nullptr;
    HRESULT failure_ = S_OK;
};

struct MenuEntry {
    UINT id;
    bool separator;
    std::wstring text;
    bool operator==(const MenuEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MenuEntry& entry) {
    return out << entry.id << (entry.separator ? " separator " : " ") << testing::PrintToString(entry.text);
}

std::vector<MenuEntry> Entries(HMENU menu) {
    std::vector<MenuEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[100] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 100;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        entries.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, text});
    }
    return entries;
}

// A file manager's popup menu with four items of its own.
class PopupMenu {
public:
    PopupMenu() : menu_(CreatePopupMenu()) {
        const wchar_t* captions[] = {L"Open", L"Edit", L"Print", L"Properties"};
        for (UINT i = 0; i < 4; ++i) AppendMenuW(menu_, MF_STRING, i + 1, captions[i]);
    }
    ~PopupMenu() { DestroyMenu(menu_); }
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    operator HMENU() const { return menu_; }

private:
    HMENU menu_;
};

const MenuEntry kItem100{100, false, L"Rename with &Nomaro"};
const MenuEntry kSeparator{0, true, L""};
const std::vector<MenuEntry> kPlainMenu{{1, false, L"Open"}, {2, false, L"Edit"}, {3, false, L"Print"},
                                        {4, false, L"Properties"}};

class Handler : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        gWindowCalls.clear();
        gWindowFailure = nullptr;
    }
    void TearDown() override {
        CoUninitialize();
        EXPECT_FALSE(shellext::ServerInUse()) << "an object or lock of the server is left";
    }

    // The paths the handler hands to the window when its item is chosen.
    Paths HandedOver(IContextMenu* menu) {
        gWindowCalls.clear();
        EXPECT_EQ(InvokeByOffset(menu, 0), S_OK);
        if (gWindowCalls.size() != 1) return {L"<the window was asked " + std::to_wstring(gWindowCalls.size()) +
                                              L" times>"};
        return gWindowCalls[0].files;
    }
};

TEST_F(Handler, AnswersForItsTwoInterfacesWithOneIdentity) {
    auto menu = CreateHandler();
    ASSERT_TRUE(menu);
    IUnknown* fromMenu = nullptr;
    IUnknown* fromInit = nullptr;
    auto init = InitOf(menu.get());
    ASSERT_EQ(menu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromMenu)), S_OK);
    ASSERT_EQ(init->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromInit)), S_OK);
    EXPECT_EQ(fromMenu, fromInit);
    IContextMenu* back = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, menu.get());

    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(menu->QueryInterface(IID_IDataObject, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(menu->QueryInterface(IID_IContextMenu, nullptr), E_POINTER);

    // Five references now: the creator's, init, the two IUnknowns and back.
    EXPECT_EQ(menu->AddRef(), 6u);
    EXPECT_EQ(menu->Release(), 5u);
    fromMenu->Release();
    fromInit->Release();
    back->Release();
    EXPECT_TRUE(shellext::ServerInUse());
    init.reset();
    EXPECT_TRUE(shellext::ServerInUse());
    EXPECT_EQ(menu.release()->Release(), 0u);
    EXPECT_FALSE(shellext::ServerInUse());
}

TEST_F(Handler, ClassFactoryServesOnlyItsClassAndKeepsTheServerWhileLocked) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(shellext::GetClassObject(IID_IContextMenu, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, nullptr), E_POINTER);

    IClassFactory* factory = nullptr;
    ASSERT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory)),
              S_OK);
    FixedDataObject outer(E_FAIL);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_TRUE(shellext::ServerInUse()) << "a lock keeps the server";
    ASSERT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
}

TEST_F(Handler, CollectsTheExactPathsOfARealShellSelection) {
    TempFolder folder;
    Paths expected{folder.AddFile(L"a.txt"), folder.AddFile(L"B photo.JPG"), folder.AddFile(L"c.tar.gz")};
    Com<IDataObject> data(ShellDataObject(folder.Path(), {L"a.txt", L"B photo.JPG", L"c.tar.gz"}));
    ASSERT_TRUE(data) << "the shell gave no data object";
    auto menu = CreateHandler();
    EXPECT_EQ(InitOf(menu.get())->Initialize(nullptr, data.get(), nullptr), S_OK);
    EXPECT_EQ(HandedOver(menu.get()), expected);
}

TEST_F(Handler, ASecondSelectionIsAppendedToTheFirst) {
    TempFolder folder;
    Paths first{folder.AddFile(L"one.txt"), folder.AddFile(L"two.txt")};
    Paths second{folder.AddFile(L"three.txt")};
    Com<IDataObject> firstData(ShellDataObject(folder.Path(), {L"one.txt", L"two.txt"}));
    Com<IDataObject> secondData(ShellDataObject(folder.Path(), {L"three.txt"}));
    ASSERT_TRUE(firstData && secondData);
    auto menu = CreateHandler();
    auto init = InitOf(menu.get());
    EXPECT_EQ(init->Initialize(nullptr, firstData.get(), nullptr), S_OK);
    EXPECT_EQ(init->Initialize(nullptr, secondData.get(), nullptr), S_OK);
    EXPECT_EQ(HandedOver(menu.get()), (Paths{first[0], first[1], second[0]}));
}

TEST_F(Handler, LongPathsAndAnsiListsArriveWhole) {
    std::wstring longPath = L"C:\\";
    while (longPath.size() < 600) longPath += L"a rather long folder name\\";
    longPath += L"photo.jpg";
    FixedDataObject wide(DropList<wchar_t>({longPath, L"C:\\short\\x.txt"}));
    FixedDataObject ansi(DropList<char>({"C:\\ansi\\Caf\xe9.txt"}));
    auto menu = CreateHandler();
    auto init = InitOf(menu.get());
    EXPECT_EQ(init->Initialize(nullptr, &wide, nullptr), S_OK);
    EXPECT_EQ(init->Initialize(nullptr, &ansi, nullptr), S_OK);
    EXPECT_EQ(HandedOver(menu.get()), (Paths{longPath, L"C:\\short\\x.txt", L"C:\\ansi\\Caf\u00e9.txt"}));
    EXPECT_EQ(wide.references, 1u) << "the storage medium was not given back";
    EXPECT_EQ(ansi.references, 1u) << "the storage medium was not given back";
}

TEST_F(Handler, AFailingDataObjectFailsInitializeAndLeavesNothingCollected) {
    ScriptedPrompts prompts;
    FixedDataObject noDropList(DV_E_FORMATETC);
    auto menu = CreateHandler();
    auto init = InitOf(menu.get());
    EXPECT_EQ(init->Initialize(nullptr, &noDropList, nullptr), DV_E_FORMATETC);
    EXPECT_EQ(noDropList.getDataCalls, 1);
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(InvokeByOffset(menu.get(), 0), S_OK);
    EXPECT_EQ(prompts.seen.size(), 1u);
    EXPECT_TRUE(gWindowCalls.empty());
    EXPECT_EQ(noDropList.references, 1u);
}

// An empty drop list: every name the list gives has length 0.
TEST_F(Handler, NoPathCollectedShowsTheMessageInsteadOfTheWindow) {
    ScriptedPrompts prompts;
    FixedDataObject empty(DropList<wchar_t>({}));
    auto menu = CreateHandler();
    EXPECT_EQ(InitOf(menu.get())->Initialize(nullptr, &empty, nullptr), S_OK);
    HWND owner = GetDesktopWindow();
    EXPECT_EQ(InvokeByOffset(menu.get(), 0, owner), S_OK);
    ASSERT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].text, L"No files or folders were selected.");
    EXPECT_EQ(prompts.seen[0].flags, static_cast<UINT>(MB_OK | MB_ICONQUESTION));
    EXPECT_EQ(prompts.seen[0].title, L"Nomaro");
    EXPECT_EQ(prompts.seen[0].owner, owner);
    EXPECT_TRUE(gWindowCalls.empty());
}

TEST_F(Handler, MenuItemFollowsTheFlags) {
    auto menu = CreateHandler();
    {
        PopupMenu popup;
        EXPECT_EQ(menu->QueryContextMenu(popup, 0, 100, 200, CMF_DEFAULTONLY), S_OK) << "0x1: nothing";
        EXPECT_EQ(menu->QueryContextMenu(popup, 0, 100, 200, CMF_NOVERBS), S_OK) << "0x8: nothing";
        EXPECT_EQ(Entries(popup), kPlainMenu);
    }
    for (UINT flags : {0x0u, 0x2u, 0x4u, 0x14u}) {
        PopupMenu popup;
        EXPECT_EQ(menu->QueryContextMenu(popup, 0, 100, 200, flags), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1))
            << std::hex << flags;
        auto entries = Entries(popup);
        ASSERT_EQ(entries.size(), 6u) << std::hex << flags;
        EXPECT_EQ(entries[0], kItem100) << std::hex << flags;
        EXPECT_EQ(entries[1], kSeparator) << std::hex << flags;
    }
}

TEST_F(Handler, ItemLandsAtTheInsertPositionWithTheFirstId) {
    auto menu = CreateHandler();
    PopupMenu popup;
    EXPECT_EQ(menu->QueryContextMenu(popup, 3, 100, 120, 0x14), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    std::vector<MenuEntry> expected = kPlainMenu;
    expected.insert(expected.begin() + 3, {kItem100, kSeparator});
    EXPECT_EQ(Entries(popup), expected);
}

// Fills a buffer with a mark, asks for a command string and returns the
// buffer's bytes up to the first unmarked one.
class CommandString : public Handler {
protected:
    Com<IContextMenu> menu = CreateHandler();
    char buffer[100];

    HRESULT Ask(UINT_PTR offset, UINT flags, UINT size) {
        std::memset(buffer, 'x', sizeof buffer);
        return menu->GetCommandString(offset, flags, nullptr, buffer, size);
    }
    void TearDown() override {
        menu.reset();
        Handler::TearDown();
    }
    std::string Ansi() const { return buffer; }
    std::wstring Wide() const { return reinterpret_cast<const wchar_t*>(buffer); }
};

TEST_F(CommandString, FullTextsAnsiAndWide) {
    EXPECT_EQ(Ask(0, GCS_VERBA, 50), S_OK);
    EXPECT_EQ(Ansi(), "(GCS_VERB)MENUITEM1");
    EXPECT_EQ(Ask(0, GCS_HELPTEXTA, 50), S_OK);
    EXPECT_EQ(Ansi(), "Rename with Nomaro");
    EXPECT_EQ(Ask(0, GCS_VALIDATEA, 50), S_OK);
    EXPECT_EQ(Ansi(), "(GCS_VALIDATE)New menu item number 1");
    EXPECT_EQ(Ask(0, GCS_VERBW, 50), S_OK);
    EXPECT_EQ(Wide(), L"(GCS_VERB)MENUITEM1");
    EXPECT_EQ(Ask(0, GCS_HELPTEXTW, 50), S_OK);
    EXPECT_EQ(Wide(), L"Rename with Nomaro");
    EXPECT_EQ(Ask(0, GCS_VALIDATEW, 50), S_OK);
    EXPECT_EQ(Wide(), L"(GCS_VALIDATE)New menu item number 1");
}

TEST_F(CommandString, TextIsCutToTheBufferAndNothingBeyondIsTouched) {
    EXPECT_EQ(Ask(0, GCS_HELPTEXTA, 5), S_OK);
    EXPECT_EQ(std::string(buffer, 6), std::string("Rena\0x", 6));
    EXPECT_EQ(Ask(0, GCS_HELPTEXTW, 5), S_OK);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(buffer), 5), std::wstring(L"Rena\0", 5));
    EXPECT_EQ(buffer[10], 'x');
    EXPECT_EQ(Ask(0, GCS_VERBA, 1), S_OK);
    EXPECT_EQ(std::string(buffer, 2), std::string("\0x", 2));
}

TEST_F(CommandString, OtherOffsetsGetAnEmptyText) {
    EXPECT_EQ(Ask(1, GCS_HELPTEXTA, 50), S_OK);
    EXPECT_EQ(std::string(buffer, 2), std::string("\0x", 2));
    EXPECT_EQ(Ask(1, GCS_VERBW, 50), S_OK);
    EXPECT_EQ(std::string(buffer, 3), std::string("\0\0x", 3));
}

TEST_F(CommandString, UnknownFlagsWriteNothingAndNoRoomIsRefused) {
    for (UINT flags : {3u, 7u, 8u}) {
        EXPECT_EQ(Ask(0, flags, 50), S_OK) << flags;
        EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x')) << flags;
    }
    EXPECT_EQ(Ask(0, GCS_HELPTEXTA, 0), E_INVALIDARG);
    EXPECT_EQ(Ask(0, GCS_HELPTEXTW, 0), E_INVALIDARG);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x'));
    EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, nullptr, 10), E_POINTER);
}

class Command : public Handler {
protected:
    TempFolder folder;
    Paths files{folder.AddFile(L"a.txt")};
    Com<IContextMenu> menu = CreateHandler();

    void SetUp() override {
        Handler::SetUp();
        Com<IDataObject> data(ShellDataObject(folder.Path(), {L"a.txt"}));
        ASSERT_TRUE(data);
        ASSERT_EQ(InitOf(menu.get())->Initialize(nullptr, data.get(), nullptr), S_OK);
    }
    void TearDown() override {
        menu.reset();
        Handler::TearDown();
    }
    size_t Shown() const { return gWindowCalls.size(); }
};

TEST_F(Command, OffsetZeroOpensTheWindowOverTheOwnerOthersDoNothing) {
    HWND owner = GetDesktopWindow();
    EXPECT_EQ(InvokeByOffset(menu.get(), 1, owner), S_OK);
    EXPECT_EQ(InvokeByOffset(menu.get(), 7, owner), S_OK);
    EXPECT_EQ(Shown(), 0u);
    EXPECT_EQ(InvokeByOffset(menu.get(), 0, owner), S_OK);
    ASSERT_EQ(Shown(), 1u);
    EXPECT_EQ(gWindowCalls[0].owner, owner);
    EXPECT_EQ(gWindowCalls[0].files, files);
    // The handler keeps its selection: a second command shows the same files.
    EXPECT_EQ(InvokeByOffset(menu.get(), 0, owner), S_OK);
    ASSERT_EQ(Shown(), 2u);
    EXPECT_EQ(gWindowCalls[1].files, files);
}

TEST_F(Command, OnlyTheExactCaptionIsAcceptedAsAnAnsiVerb) {
    EXPECT_EQ(InvokeByVerb(menu.get(), "rename with &nomaro"), S_OK);
    EXPECT_EQ(InvokeByVerb(menu.get(), "(GCS_VERB)MENUITEM1"), S_OK);
    EXPECT_EQ(InvokeByVerb(menu.get(), "Rename with Nomaro"), S_OK);
    EXPECT_EQ(InvokeByVerb(menu.get(), ""), S_OK);
    EXPECT_EQ(Shown(), 0u);
    EXPECT_EQ(InvokeByVerb(menu.get(), "Rename with &Nomaro"), S_OK);
    EXPECT_EQ(Shown(), 1u);
}

TEST_F(Command, TheExtendedRecordIsReadByItsUnicodeVerb) {
    EXPECT_EQ(InvokeExtended(menu.get(), "Rename with &Nomaro", L"rename with &nomaro"), S_OK);
    EXPECT_EQ(InvokeExtended(menu.get(), "Rename with &Nomaro", L"(GCS_VERB)MENUITEM1"), S_OK);
    EXPECT_EQ(Shown(), 0u) << "the wide verb decides when the record says Unicode";
    EXPECT_EQ(InvokeExtended(menu.get(), "rename", L"Rename with &Nomaro"), S_OK);
    EXPECT_EQ(Shown(), 1u);
    EXPECT_EQ(InvokeExtended(menu.get(), "Rename with &Nomaro", L"x", false), S_OK);
    EXPECT_EQ(Shown(), 2u) << "without the Unicode mask the ANSI verb decides";
    EXPECT_EQ(InvokeExtended(menu.get(), MAKEINTRESOURCEA(0), reinterpret_cast<const wchar_t*>(MAKEINTRESOURCEA(0))),
              S_OK);
    EXPECT_EQ(Shown(), 3u) << "offset 0 in the extended record";
}

TEST_F(Command, BadRecordsAndFailuresOfTheWindowComeBackAsCodes) {
    EXPECT_EQ(menu->InvokeCommand(nullptr), E_INVALIDARG);
    CMINVOKECOMMANDINFO tooShort{};
    tooShort.cbSize = 20;
    EXPECT_EQ(menu->InvokeCommand(&tooShort), E_INVALIDARG);
    EXPECT_EQ(Shown(), 0u);

    gWindowFailure = [] { throw std::bad_alloc(); };
    EXPECT_EQ(InvokeByOffset(menu.get(), 0), E_OUTOFMEMORY);
    gWindowFailure = [] { throw base::RunError(75); };
    EXPECT_EQ(InvokeByOffset(menu.get(), 0), E_FAIL);
    gWindowFailure = [] { throw 42; };
    EXPECT_EQ(InvokeByOffset(menu.get(), 0), E_FAIL);
    EXPECT_EQ(Shown(), 3u);
}

// --- The method-table binding ---

struct FakeObject {
    uintptr_t* table;
};

DWORD ProtectionOf(const void* address) {
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(address, &info, sizeof info);
    return info.Protect;
}

TEST(SwapVtableEntry, EntriesCountFromOneInFourByteSteps) {
    uintptr_t table[6] = {10, 20, 30, 40, 50, 60};
    FakeObject object{table};
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 1, 111), 10u);
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 4, 444), 40u);
    EXPECT_EQ(std::vector<uintptr_t>(table, table + 6), (std::vector<uintptr_t>{111, 20, 30, 444, 50, 60}));
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 4, 40), 444u);
    EXPECT_EQ(table[3], 40u);
}

TEST(SwapVtableEntry, WritesIntoReadOnlyMemoryAndKeepsItReadOnly) {
    auto* page = static_cast<uintptr_t*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_TRUE(page);
    for (uintptr_t i = 0; i < 6; ++i) page[i] = 100 + i;
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_READONLY, &old));
    FakeObject object{page};
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 4, 7), 103u);
    EXPECT_EQ(page[3], 7u);
    EXPECT_EQ(page[2], 102u);
    EXPECT_EQ(page[4], 104u);
    EXPECT_EQ(ProtectionOf(&page[3]), static_cast<DWORD>(PAGE_READONLY));
    VirtualFree(page, 0, MEM_RELEASE);
}

TEST(SwapVtableEntry, OffsetsAreSixteenBitAndAnOverflowWritesNothing) {
    // A table in the middle of a zeroed region, so any stray write shows.
    constexpr size_t kWords = 20000;
    std::vector<uintptr_t> region(kWords, 0);
    uintptr_t* table = &region[4];
    FakeObject object{table};
    for (int16_t entry : {int16_t{8193}, int16_t{32767}, int16_t{-32768}, int16_t{-8192}})
        EXPECT_EQ(ErrorNumberOf([&] { shellext::SwapVtableEntry(&object, entry, 9); }), 6) << entry;
    EXPECT_EQ(std::count(region.begin(), region.end(), 0u), static_cast<long>(kWords));
    // Entry 0 is the word before the table (offset -4), entry 8192 the last
    // one that fits (offset 32764).
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 0, 5), 0u);
    EXPECT_EQ(region[3], 5u);
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 8192, 6), 0u);
    EXPECT_EQ(table[8191], 6u);
    EXPECT_EQ(std::count(region.begin(), region.end(), 0u), static_cast<long>(kWords - 2));
}

using MenuMethod = HRESULT(STDMETHODCALLTYPE*)(IContextMenu*, HMENU, UINT, UINT, UINT, UINT);

uintptr_t* TableOf(IContextMenu* menu) { return *reinterpret_cast<uintptr_t**>(menu); }
const uintptr_t kShellEntry = reinterpret_cast<uintptr_t>(&shellext::ShellQueryContextMenu);

// How many items a QueryContextMenu call through the object's table adds.
int ItemsAdded(IContextMenu* menu) {
    PopupMenu popup;
    HRESULT result = menu->QueryContextMenu(popup, 0, 100, 200, 0);
    int added = GetMenuItemCount(popup) - 4;
    EXPECT_EQ(HRESULT_CODE(result), added == 0 ? 0 : 1);
    return added;
}

class Binding : public Handler {
protected:
    uintptr_t* table = nullptr;
    uintptr_t classEntry = 0;  // what the table holds while no object lives

    void SetUp() override {
        Handler::SetUp();
        auto probe = CreateHandler();
        table = TableOf(probe.get());
        EXPECT_EQ(table[3], kShellEntry);
        probe.reset();
        classEntry = table[3];
    }
};

TEST_F(Binding, OneObjectBindsWhileItLivesAndLeavesTheTableAsItWas) {
    ASSERT_NE(classEntry, kShellEntry);
    DWORD protection = ProtectionOf(&table[3]);
    EXPECT_EQ(protection, static_cast<DWORD>(PAGE_READONLY)) << "the class's table lies in read-only memory";
    {
        auto menu = CreateHandler();
        EXPECT_EQ(TableOf(menu.get()), table) << "one table for the class";
        EXPECT_EQ(table[3], kShellEntry);
        EXPECT_EQ(ProtectionOf(&table[3]), protection);
        EXPECT_EQ(ItemsAdded(menu.get()), 2);

        // The entry kept aside is the class's own method: it adds nothing.
        PopupMenu popup;
        EXPECT_EQ(reinterpret_cast<MenuMethod>(classEntry)(menu.get(), popup, 0, 100, 200, 0), S_OK);
        EXPECT_EQ(Entries(popup), kPlainMenu);
    }
    EXPECT_EQ(table[3], classEntry);
    EXPECT_EQ(ProtectionOf(&table[3]), protection);
}

TEST_F(Binding, TwoObjectsKeepTheBindingUntilTheLastGoes) {
    auto a = CreateHandler();
    auto b = CreateHandler();
    EXPECT_EQ(ItemsAdded(a.get()), 2);
    EXPECT_EQ(ItemsAdded(b.get()), 2);
    a.reset();
    EXPECT_EQ(ItemsAdded(b.get()), 2) << "B lost its item when A went";
    b.reset();
    EXPECT_EQ(table[3], classEntry);
}

TEST_F(Binding, ObjectsOnDifferentThreadsShareOneBinding) {
    // A is made on one thread and released on another, while B lives here.
    IContextMenu* a = nullptr;
    std::thread([&] { a = CreateHandler().release(); }).join();
    auto b = CreateHandler();
    std::thread([&] { a->Release(); }).join();
    EXPECT_EQ(ItemsAdded(b.get()), 2);
    b.reset();
    EXPECT_EQ(table[3], classEntry);

    // Two threads creating and releasing at once: every object gets its item.
    auto churn = [] {
        int missing = 0;
        for (int i = 0; i < 300; ++i) {
            auto menu = CreateHandler();
            if (ItemsAdded(menu.get()) != 2) ++missing;
        }
        return missing;
    };
    int missingFirst = 0, missingSecond = 0;
    std::thread first([&] { missingFirst = churn(); });
    std::thread second([&] { missingSecond = churn(); });
    first.join();
    second.join();
    EXPECT_EQ(missingFirst + missingSecond, 0);
    EXPECT_EQ(table[3], classEntry);
}

}  // namespace
