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
#include <new>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/RunError.h"
#include "base/Scoped.h"
#include "shellext/ContextMenuHandler.h"
#include "shellext/Server.h"
#include "shellext/ShowRenameWindow.h"
#include "shellext/VtableSwap.h"
#include "tests/error_number.h"
#include "tests/win/prompts.h"
#include "tests/win/shell_files.h"

using base::ComPtr;
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

ComPtr<IContextMenu> CreateHandler() {
    ComPtr<IClassFactory> factory;
    ComPtr<IContextMenu> menu;
    EXPECT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    if (factory) {
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, menu.ReceiveVoid()), S_OK);
    }
    return menu;
}

HRESULT Initialize(IContextMenu* menu, IDataObject* data) {
    ComPtr<IShellExtInit> init;
    EXPECT_EQ(menu->QueryInterface(IID_IShellExtInit, init.ReceiveVoid()), S_OK);
    return init->Initialize(nullptr, data, nullptr);
}

// The command record with a verb: a command offset (MAKEINTRESOURCEA) or an ANSI string.
HRESULT Invoke(IContextMenu* menu, const char* verb, HWND owner = nullptr) {
    static_assert(sizeof(CMINVOKECOMMANDINFO) == 36);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = verb;
    return menu->InvokeCommand(&info);
}

// The extended record as a Unicode-aware file manager fills it.
HRESULT InvokeExtended(IContextMenu* menu, const char* verb, const wchar_t* verbW, bool unicode) {
    CMINVOKECOMMANDINFOEX info{};
    info.cbSize = sizeof info;
    info.fMask = unicode ? CMIC_MASK_UNICODE : 0;
    info.lpVerb = verb;
    info.lpVerbW = verbW;
    return menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
}

// A file drop list as the clipboard carries it, wide or in the ANSI code page.
template <typename Char>
HGLOBAL DropList(const std::vector<std::basic_string<Char>>& paths) {
    size_t characters = 2;
    for (const auto& path : paths) characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(Char));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = sizeof(Char) == sizeof(wchar_t);
    auto* out = reinterpret_cast<Char*>(drop + 1);
    for (const auto& path : paths) out = std::copy(path.begin(), path.end(), out) + 1;
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
    ~FixedDataObject() { GlobalFree(drop_); }
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (FAILED(failure_)) return failure_;
        if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = drop_;
        medium->pUnkForRelease = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
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

// A file manager's popup menu with four items of its own; Entries() describes
// each item as "id text", a separator as "-".
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

    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> entries;
        for (int i = 0; i < GetMenuItemCount(menu_); ++i) {
            wchar_t text[100] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 100;
            GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &info);
            entries.push_back((info.fType & MFT_SEPARATOR) && info.wID == 0 ? L"-"
                                                                            : std::to_wstring(info.wID) + L" " + text);
        }
        return entries;
    }

private:
    HMENU menu_;
};

const Paths kPlainMenu{L"1 Open", L"2 Edit", L"3 Print", L"4 Properties"};

Paths WithItemAt(size_t position) {
    Paths entries = kPlainMenu;
    entries.insert(entries.begin() + static_cast<long>(position), {L"100 Rename with &Nomaro", L"-"});
    return entries;
}

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
    static Paths HandedOver(IContextMenu* menu) {
        gWindowCalls.clear();
        EXPECT_EQ(Invoke(menu, MAKEINTRESOURCEA(0)), S_OK);
        return gWindowCalls.size() == 1 ? gWindowCalls[0].files : Paths{L"<not one window>"};
    }
};

TEST_F(Handler, AnswersForItsTwoInterfacesWithOneIdentityAndCountsItsReferences) {
    auto menu = CreateHandler();
    ASSERT_TRUE(menu);
    ComPtr<IShellExtInit> init;
    ComPtr<IUnknown> fromMenu, fromInit;
    ComPtr<IContextMenu> back;
    ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, init.ReceiveVoid()), S_OK);
    ASSERT_EQ(menu->QueryInterface(IID_IUnknown, fromMenu.ReceiveVoid()), S_OK);
    ASSERT_EQ(init->QueryInterface(IID_IUnknown, fromInit.ReceiveVoid()), S_OK);
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, back.ReceiveVoid()), S_OK);
    EXPECT_EQ(fromMenu.get(), fromInit.get());
    EXPECT_EQ(back.get(), menu.get());
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(menu->QueryInterface(IID_IDataObject, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(menu->QueryInterface(IID_IContextMenu, nullptr), E_POINTER);
    EXPECT_EQ(menu->AddRef(), 6u) << "the creator's, init, the two IUnknowns, back and this one";
    EXPECT_EQ(menu->Release(), 5u);
    fromMenu.Reset();
    fromInit.Reset();
    back.Reset();
    init.Reset();
    EXPECT_TRUE(shellext::ServerInUse());
    menu.Reset();
    EXPECT_FALSE(shellext::ServerInUse());
}

TEST_F(Handler, ClassFactoryServesOnlyItsClassAndKeepsTheServerWhileLocked) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(shellext::GetClassObject(IID_IContextMenu, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, nullptr), E_POINTER);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    FixedDataObject outer(E_FAIL);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_TRUE(shellext::ServerInUse()) << "a lock keeps the server";
    ASSERT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
}

TEST_F(Handler, CollectsRealShellSelectionsEachAfterTheLast) {
    TempFolder folder;
    Paths expected{folder.AddFile(L"a.txt"), folder.AddFile(L"B photo.JPG"), folder.AddFile(L"c.tar.gz")};
    ComPtr<IDataObject> first, second;
    *first.Receive() = ShellDataObject(folder.Path(), {L"a.txt", L"B photo.JPG"});
    *second.Receive() = ShellDataObject(folder.Path(), {L"c.tar.gz"});
    ASSERT_TRUE(first && second) << "the shell gave no data object";
    auto menu = CreateHandler();
    EXPECT_EQ(Initialize(menu.get(), first.get()), S_OK);
    EXPECT_EQ(Initialize(menu.get(), second.get()), S_OK);
    EXPECT_EQ(HandedOver(menu.get()), expected);
}

TEST_F(Handler, LongPathsAndAnsiListsArriveWholeAndTheMediumIsGivenBack) {
    const std::wstring longPath = L"C:\\" + std::wstring(600, L'a') + L"\\photo.jpg";
    FixedDataObject wide(DropList<wchar_t>({longPath, L"C:\\short\\x.txt"}));
    FixedDataObject ansi(DropList<char>({"C:\\ansi\\Caf\xe9.txt"}));
    auto menu = CreateHandler();
    EXPECT_EQ(Initialize(menu.get(), &wide), S_OK);
    EXPECT_EQ(Initialize(menu.get(), &ansi), S_OK);
    EXPECT_EQ(HandedOver(menu.get()), (Paths{longPath, L"C:\\short\\x.txt", L"C:\\ansi\\Caf\u00e9.txt"}));
    EXPECT_EQ(wide.references + ansi.references, 2u) << "a storage medium was not given back";
}

TEST_F(Handler, WithoutAnyPathTheCommandSaysSoInsteadOfOpeningTheWindow) {
    ScriptedPrompts prompts;
    FixedDataObject failing(DV_E_FORMATETC);
    FixedDataObject empty(DropList<wchar_t>({}));
    auto menu = CreateHandler();
    EXPECT_EQ(Initialize(menu.get(), &failing), DV_E_FORMATETC);
    EXPECT_EQ(Initialize(menu.get(), nullptr), E_INVALIDARG);
    EXPECT_EQ(Initialize(menu.get(), &empty), S_OK);
    HWND owner = GetDesktopWindow();
    EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(0), owner), S_OK);
    EXPECT_TRUE(prompts.Said(0, L"No files or folders were selected.", L"Nomaro", MB_OK | MB_ICONQUESTION));
    EXPECT_EQ(prompts.seen.size(), 1u);
    EXPECT_EQ(prompts.seen[0].owner, owner);
    EXPECT_TRUE(gWindowCalls.empty());
}

TEST_F(Handler, MenuItemFollowsTheFlagsAndLandsAtThePosition) {
    struct Case {
        UINT flags, position;
        HRESULT result;
        Paths entries;
    };
    const HRESULT one = MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
    const Case cases[] = {{CMF_DEFAULTONLY, 0, S_OK, kPlainMenu}, {CMF_NOVERBS, 0, S_OK, kPlainMenu},
                          {0x0, 0, one, WithItemAt(0)},          {0x2, 0, one, WithItemAt(0)},
                          {0x4, 4, one, WithItemAt(4)},          {0x14, 3, one, WithItemAt(3)}};
    auto menu = CreateHandler();
    for (const Case& c : cases) {
        PopupMenu popup;
        EXPECT_EQ(menu->QueryContextMenu(popup, c.position, 100, 200, c.flags), c.result) << std::hex << c.flags;
        EXPECT_EQ(popup.Entries(), c.entries) << std::hex << c.flags;
    }
}

TEST_F(Handler, CommandStringsGoIntoTheBufferAnsiOrWideCutToItsSize) {
    struct Case {
        UINT_PTR offset;
        UINT flags, size;
        HRESULT result;
        std::string bytes;  // the buffer's start; 'x' marks a byte left alone
    };
    const std::string untouched(8, 'x');
    const Case cases[] = {
        {0, GCS_VERBA, 50, S_OK, std::string("(GCS_VERB)MENUITEM1\0x", 21)},
        {0, GCS_HELPTEXTA, 50, S_OK, std::string("Rename with Nomaro\0x", 20)},
        {0, GCS_VALIDATEA, 50, S_OK, std::string("(GCS_VALIDATE)New menu item number 1\0x", 38)},
        {0, GCS_HELPTEXTW, 50, S_OK, std::string("R\0e\0n\0a\0m\0e\0 \0w\0i\0t\0h\0 \0N\0o\0m\0a\0r\0o\0\0\0x", 39)},
        {0, GCS_VERBW, 3, S_OK, std::string("(\0G\0\0\0x", 7)},
        {0, GCS_HELPTEXTA, 5, S_OK, std::string("Rena\0x", 6)},
        {0, GCS_VERBA, 1, S_OK, std::string("\0x", 2)},
        {1, GCS_HELPTEXTA, 50, S_OK, std::string("\0x", 2)},
        {1, GCS_VERBW, 50, S_OK, std::string("\0\0x", 3)},
        {0, 3, 50, S_OK, untouched},
        {0, 7, 50, S_OK, untouched},
        {0, GCS_HELPTEXTA, 0, E_INVALIDARG, untouched},
        {0, GCS_HELPTEXTW, 0, E_INVALIDARG, untouched},
    };
    auto menu = CreateHandler();
    for (const Case& c : cases) {
        char buffer[100];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(menu->GetCommandString(c.offset, c.flags, nullptr, buffer, c.size), c.result) << c.flags;
        EXPECT_EQ(std::string(buffer, c.bytes.size()), c.bytes) << c.flags << " " << c.size;
        EXPECT_EQ(buffer[sizeof buffer - 1], 'x');
    }
    EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, nullptr, 10), E_POINTER);
}

class Command : public Handler {
protected:
    TempFolder folder;
    Paths files{folder.AddFile(L"a.txt")};
    ComPtr<IContextMenu> menu;

    void SetUp() override {
        Handler::SetUp();
        menu = CreateHandler();
        ComPtr<IDataObject> data;
        *data.Receive() = ShellDataObject(folder.Path(), {L"a.txt"});
        ASSERT_TRUE(data);
        ASSERT_EQ(Initialize(menu.get(), data.get()), S_OK);
    }
    void TearDown() override {
        menu.Reset();
        Handler::TearDown();
    }
};

TEST_F(Command, OffsetZeroOpensTheWindowOverTheOwnerEveryTimeOthersDoNothing) {
    HWND owner = GetDesktopWindow();
    EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(1), owner), S_OK);
    EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(7), owner), S_OK);
    EXPECT_TRUE(gWindowCalls.empty());
    EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(0), owner), S_OK);
    EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(0), owner), S_OK);
    ASSERT_EQ(gWindowCalls.size(), 2u);
    for (const WindowCall& call : gWindowCalls) {
        EXPECT_EQ(call.owner, owner);
        EXPECT_EQ(call.files, files) << "the handler keeps its selection";
    }
}

TEST_F(Command, OnlyTheExactCaptionIsAcceptedAsAStringVerb) {
    struct Case {
        const char* verb;
        const wchar_t* verbW;  // null: the plain record
        bool unicode;
        bool opens;
    };
    const char* const kOffsetZero = MAKEINTRESOURCEA(0);
    const Case cases[] = {
        {"Rename with &Nomaro", nullptr, false, true},
        {"rename with &nomaro", nullptr, false, false},
        {"(GCS_VERB)MENUITEM1", nullptr, false, false},
        {"Rename with Nomaro", nullptr, false, false},
        {"", nullptr, false, false},
        // The extended record: the wide verb decides when the record says Unicode.
        {"Rename with &Nomaro", L"rename with &nomaro", true, false},
        {"Rename with &Nomaro", L"(GCS_VERB)MENUITEM1", true, false},
        {"rename", L"Rename with &Nomaro", true, true},
        {"Rename with &Nomaro", L"x", false, true},
        {kOffsetZero, reinterpret_cast<const wchar_t*>(kOffsetZero), true, true},
    };
    for (const Case& c : cases) {
        gWindowCalls.clear();
        const HRESULT result =
            c.verbW ? InvokeExtended(menu.get(), c.verb, c.verbW, c.unicode) : Invoke(menu.get(), c.verb);
        EXPECT_EQ(result, S_OK);
        EXPECT_EQ(gWindowCalls.size(), c.opens ? 1u : 0u)
            << (IS_INTRESOURCE(c.verb) ? "offset 0" : c.verb) << " / " << (c.verbW && !IS_INTRESOURCE(c.verbW));
    }
}

TEST_F(Command, BadRecordsAndFailuresOfTheWindowComeBackAsCodes) {
    EXPECT_EQ(menu->InvokeCommand(nullptr), E_INVALIDARG);
    CMINVOKECOMMANDINFO tooShort{};
    tooShort.cbSize = 20;
    EXPECT_EQ(menu->InvokeCommand(&tooShort), E_INVALIDARG);
    EXPECT_TRUE(gWindowCalls.empty());
    const std::pair<std::function<void()>, HRESULT> failures[] = {
        {[] { throw std::bad_alloc(); }, E_OUTOFMEMORY},
        {[] { throw base::RunError(base::err::PathFileAccess); }, E_FAIL},
        {[] { throw 42; }, E_FAIL},
    };
    for (const auto& [failure, result] : failures) {
        gWindowFailure = failure;
        EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(0)), result);
    }
    EXPECT_EQ(gWindowCalls.size(), 3u);
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

TEST(SwapVtableEntry, EntriesCountFromOneInFourByteStepsAlsoInReadOnlyMemory) {
    auto* page = static_cast<uintptr_t*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_TRUE(page);
    for (uintptr_t i = 0; i < 6; ++i) page[i] = 10 * (i + 1);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_READONLY, &old));
    FakeObject object{page};
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 1, 111), 10u);
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 4, 444), 40u);
    EXPECT_EQ(std::vector<uintptr_t>(page, page + 6), (std::vector<uintptr_t>{111, 20, 30, 444, 50, 60}));
    EXPECT_EQ(shellext::SwapVtableEntry(&object, 4, 40), 444u);
    EXPECT_EQ(page[3], 40u);
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
        EXPECT_EQ(ErrorNumberOf([&] { shellext::SwapVtableEntry(&object, entry, 9); }), base::err::Overflow) << entry;
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
        EXPECT_EQ(table[3], reinterpret_cast<uintptr_t>(&shellext::ShellQueryContextMenu));
        probe.Reset();
        classEntry = table[3];
    }
};

TEST_F(Binding, ObjectsBindWhileTheyLiveAndTheLastLeavesTheTableAsItWas) {
    ASSERT_NE(classEntry, reinterpret_cast<uintptr_t>(&shellext::ShellQueryContextMenu));
    EXPECT_EQ(ProtectionOf(&table[3]), static_cast<DWORD>(PAGE_READONLY)) << "the class's table is read-only";
    auto a = CreateHandler();
    auto b = CreateHandler();
    EXPECT_EQ(TableOf(b.get()), table) << "one table for the class";
    EXPECT_EQ(ItemsAdded(a.get()), 2);
    // The entry kept aside is the class's own method: it adds nothing.
    PopupMenu popup;
    EXPECT_EQ(reinterpret_cast<MenuMethod>(classEntry)(a.get(), popup, 0, 100, 200, 0), S_OK);
    EXPECT_EQ(popup.Entries(), kPlainMenu);
    a.Reset();
    EXPECT_EQ(ItemsAdded(b.get()), 2) << "B lost its item when A went";
    b.Reset();
    EXPECT_EQ(table[3], classEntry);
    EXPECT_EQ(ProtectionOf(&table[3]), static_cast<DWORD>(PAGE_READONLY));
}

TEST_F(Binding, ObjectsOnDifferentThreadsShareOneBinding) {
    // A is made on one thread and released on another, while B lives here.
    IContextMenu* a = nullptr;
    std::thread([&] {
        auto made = CreateHandler();
        a = made.get();
        a->AddRef();
    }).join();
    auto b = CreateHandler();
    std::thread([&] { a->Release(); }).join();
    EXPECT_EQ(ItemsAdded(b.get()), 2);
    b.Reset();
    EXPECT_EQ(table[3], classEntry);

    // Two threads creating and releasing at once: every object gets its item.
    auto churn = [](int& missing) {
        for (int i = 0; i < 300; ++i)
            if (ItemsAdded(CreateHandler().get()) != 2) ++missing;
    };
    int missingFirst = 0, missingSecond = 0;
    std::thread first(churn, std::ref(missingFirst));
    std::thread second(churn, std::ref(missingSecond));
    first.join();
    second.join();
    EXPECT_EQ(missingFirst + missingSecond, 0);
    EXPECT_EQ(table[3], classEntry);
}

}  // namespace
