// The context-menu handler made through the server's class factory, on real
// selections and popup menus; a recorder stands in for the rename window.
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
struct WindowCall { void* owner; Paths files; };
std::vector<WindowCall> gWindowCalls;
std::function<void()> gWindowFailure;  // what the window raises, when set
}  // namespace

void shellext::ShowContextRenameWindow(void* owner, const std::vector<std::wstring>& files) {
    gWindowCalls.push_back({owner, files});
    if (gWindowFailure) gWindowFailure();
}

namespace {

ComPtr<IContextMenu> CreateHandler() {
    ComPtr<IClassFactory> factory;
    ComPtr<IContextMenu> menu;
    EXPECT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    if (!factory) return menu;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, menu.ReceiveVoid()), S_OK);
    return menu;
}

HRESULT Initialize(IContextMenu* menu, IDataObject* data) {
    ComPtr<IShellExtInit> init;
    EXPECT_EQ(menu->QueryInterface(IID_IShellExtInit, init.ReceiveVoid()), S_OK);
    return init->Initialize(nullptr, data, nullptr);
}

// A command record of `size` bytes; a wide verb, when given, is marked Unicode.
HRESULT Invoke(IContextMenu* menu, const char* verb, HWND owner = nullptr, const wchar_t* verbW = nullptr,
               DWORD size = sizeof(CMINVOKECOMMANDINFO)) {
    CMINVOKECOMMANDINFOEX info{};
    info.cbSize = size;
    info.fMask = verbW ? CMIC_MASK_UNICODE : 0;
    info.hwnd = owner;
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

// Serves one drop list for CF_HDROP or fails with a code; `references` shows whether the medium came back.
struct FixedDataObject final : IDataObject {
    explicit FixedDataObject(HGLOBAL dropList) : drop_(dropList) {}
    explicit FixedDataObject(HRESULT failure) : failure_(failure) {}
    ~FixedDataObject() { GlobalFree(drop_); }
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (FAILED(failure_)) return failure_;
        if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        *medium = {TYMED_HGLOBAL, {.hGlobal = drop_}, this};
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
    HGLOBAL drop_ = nullptr;
    HRESULT failure_ = S_OK;
};

// A file manager's popup menu with four items; Entries() gives "id text" or "-" for a separator.
struct PopupMenu {
    PopupMenu() {
        for (const wchar_t* caption : {L"Open", L"Edit", L"Print", L"Properties"})
            AppendMenuW(menu_, MF_STRING, GetMenuItemCount(menu_) + 1, caption);
    }
    ~PopupMenu() { DestroyMenu(menu_); }
    operator HMENU() const { return menu_; }

    Paths Entries() const {
        Paths entries;
        for (int i = 0; i < GetMenuItemCount(menu_); ++i) {
            wchar_t text[100] = {};
            GetMenuStringW(menu_, static_cast<UINT>(i), text, 100, MF_BYPOSITION);
            entries.push_back(*text ? std::to_wstring(GetMenuItemID(menu_, i)) + L" " + text : L"-");
        }
        return entries;
    }
    HMENU menu_ = CreatePopupMenu();
};

const Paths kPlainMenu{L"1 Open", L"2 Edit", L"3 Print", L"4 Properties"};

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
};

TEST_F(Handler, AnswersWithOneIdentityCountsReferencesAndItsFactoryServesOnlyItsClass) {
    auto menu = CreateHandler();
    ASSERT_TRUE(menu);
    {
        ComPtr<IShellExtInit> init;
        ComPtr<IUnknown> fromMenu, fromInit;
        ComPtr<IContextMenu> back;
        ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, init.ReceiveVoid()), S_OK);
        ASSERT_EQ(menu->QueryInterface(IID_IUnknown, fromMenu.ReceiveVoid()), S_OK);
        ASSERT_EQ(init->QueryInterface(IID_IUnknown, fromInit.ReceiveVoid()), S_OK);
        ASSERT_EQ(init->QueryInterface(IID_IContextMenu, back.ReceiveVoid()), S_OK);
        EXPECT_EQ(std::pair(fromMenu.get(), back.get()), std::pair(fromInit.get(), menu.get()));
        EXPECT_EQ(menu->AddRef(), 6u) << "the creator's, init, the two IUnknowns, back and this one";
        EXPECT_EQ(menu->Release(), 5u);
    }
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(menu->QueryInterface(IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(menu->QueryInterface(IID_IContextMenu, nullptr), E_POINTER);
    EXPECT_EQ(shellext::GetClassObject(IID_IContextMenu, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, nullptr), E_POINTER);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    EXPECT_EQ(factory->CreateInstance(menu.get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDataObject, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    menu.Reset();
    factory.Reset();
    EXPECT_TRUE(shellext::ServerInUse()) << "a lock keeps the server";
    ASSERT_EQ(shellext::GetClassObject(shellext::kContextMenuClsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_FALSE(shellext::ServerInUse());
}

// Without any path the command says so instead of opening the window; shell
// selections and ANSI lists then add up, each after the last.
TEST_F(Handler, CollectsEverySelectionWholeAndGivesTheMediumBack) {
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
    EXPECT_TRUE(prompts.seen.at(0).owner == owner && gWindowCalls.empty());

    TempFolder folder;
    Paths shell{folder.AddFile(L"a.txt"), folder.AddFile(L"B photo.JPG"), folder.AddFile(L"c.tar.gz")};
    ComPtr<IDataObject> first(ShellDataObject(folder.Path(), {L"a.txt", L"B photo.JPG"}));
    ComPtr<IDataObject> second(ShellDataObject(folder.Path(), {L"c.tar.gz"}));
    ASSERT_TRUE(first && second);
    FixedDataObject ansi(DropList<char>({"C:\\ansi\\Caf\xe9.txt"}));
    for (IDataObject* data : {first.get(), second.get(), static_cast<IDataObject*>(&ansi)})
        EXPECT_EQ(Initialize(menu.get(), data), S_OK);
    EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(0)), S_OK);
    shell.push_back(L"C:\\ansi\\Caf\u00e9.txt");
    ASSERT_EQ(gWindowCalls.size(), 1u);
    EXPECT_EQ(gWindowCalls[0].files, shell);
    EXPECT_EQ(ansi.references + empty.references, 2u) << "a storage medium was not given back";
}

// Which flags add the item and the texts are settled by the host tests; here the item lands in a
// real menu and command strings go into the buffer, ANSI or wide, cut to its size.
TEST_F(Handler, MenuItemLandsAtThePositionAndCommandStringsFillTheBuffer) {
    auto menu = CreateHandler();
    PopupMenu untouched, withItem;
    EXPECT_EQ(menu->QueryContextMenu(untouched, 0, 100, 200, CMF_DEFAULTONLY), S_OK);
    EXPECT_EQ(menu->QueryContextMenu(withItem, 3, 100, 200, 0x14), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    EXPECT_EQ(untouched.Entries(), kPlainMenu);
    EXPECT_EQ(withItem.Entries(),
              (Paths{L"1 Open", L"2 Edit", L"3 Print", L"100 Rename with &Nomaro", L"-", L"4 Properties"}));
    // The buffer's start; 'x' marks a byte left alone.
    struct Case { UINT_PTR offset; UINT flags, size; HRESULT result; std::string bytes; };
    const Case cases[] = {
        {0, GCS_VERBA, 50, S_OK, std::string("(GCS_VERB)MENUITEM1\0x", 21)},
        {0, GCS_HELPTEXTW, 50, S_OK, std::string("R\0e\0n\0a\0m\0e\0 \0w\0i\0t\0h\0 \0N\0o\0m\0a\0r\0o\0\0\0x", 39)},
        {0, GCS_VERBW, 3, S_OK, std::string("(\0G\0\0\0x", 7)},
        {0, GCS_HELPTEXTA, 1, S_OK, std::string("\0x", 2)},
        {1, GCS_VERBW, 50, S_OK, std::string("\0\0x", 3)},
        {0, 7, 50, S_OK, "xxxx"},
        {0, GCS_HELPTEXTA, 0, E_INVALIDARG, "xxxx"},
    };
    for (const Case& c : cases) {
        char buffer[100];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(menu->GetCommandString(c.offset, c.flags, nullptr, buffer, c.size), c.result) << c.flags;
        EXPECT_EQ(std::string(buffer, c.bytes.size()), c.bytes) << c.flags << " " << c.size;
        EXPECT_EQ(buffer[sizeof buffer - 1], 'x');
    }
    EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, nullptr, 10), E_POINTER);
}

// Offset 0 or the exact caption opens the window over the owner, every time on the same selection;
// the wide verb decides only in an extended Unicode record. Bad records and failures become codes.
TEST_F(Handler, OffsetZeroOrTheExactCaptionOpensTheWindowAndFailuresComeBackAsCodes) {
    TempFolder folder;
    const Paths files{folder.AddFile(L"a.txt")};
    auto menu = CreateHandler();
    ComPtr<IDataObject> data(ShellDataObject(folder.Path(), {L"a.txt"}));
    ASSERT_TRUE(data);
    ASSERT_EQ(Initialize(menu.get(), data.get()), S_OK);
    struct Case { const char* verb; const wchar_t* verbW; DWORD size; bool opens; };
    const char* const kZero = MAKEINTRESOURCEA(0);
    const DWORD plain = sizeof(CMINVOKECOMMANDINFO), extended = sizeof(CMINVOKECOMMANDINFOEX);
    const Case cases[] = {
        {kZero, nullptr, plain, true},
        {kZero, nullptr, plain, true},
        {MAKEINTRESOURCEA(1), nullptr, plain, false},
        {"Rename with &Nomaro", nullptr, plain, true},
        {"rename with &nomaro", nullptr, plain, false},
        {"Rename with &Nomaro", L"rename with &nomaro", extended, false},
        {"rename", L"Rename with &Nomaro", extended, true},
        {"Rename with &Nomaro", L"x", plain, true},
        {kZero, reinterpret_cast<const wchar_t*>(kZero), extended, true},
    };
    HWND owner = GetDesktopWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (IS_INTRESOURCE(c.verb) ? "offset" : c.verb) << " / " << c.size);
        gWindowCalls.clear();
        EXPECT_EQ(Invoke(menu.get(), c.verb, owner, c.verbW, c.size), S_OK);
        ASSERT_EQ(gWindowCalls.size(), c.opens ? 1u : 0u);
        EXPECT_TRUE(!c.opens || (gWindowCalls[0].owner == owner && gWindowCalls[0].files == files));
    }
    gWindowCalls.clear();
    EXPECT_EQ(menu->InvokeCommand(nullptr), E_INVALIDARG);
    EXPECT_EQ(Invoke(menu.get(), MAKEINTRESOURCEA(0), nullptr, nullptr, 20), E_INVALIDARG);
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

// Entries count from one in steps of a code address (4 or 8 bytes) within a 16-bit offset;
// a zeroed read-only region shows stray writes.
TEST(SwapVtableEntry, WritesOneEntryOfAReadOnlyTableWithinSixteenBitOffsets) {
    constexpr size_t kWords = 20000;
    // The last entry whose offset fits (8192 at offset 32764, or 4096 at 32760) and the first negative one that does not.
    constexpr int16_t kLastEntry = 32768 / sizeof(uintptr_t), kFirstBelow = -kLastEntry;
    auto* region = static_cast<uintptr_t*>(
        VirtualAlloc(nullptr, kWords * sizeof(uintptr_t), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_TRUE(region);
    uintptr_t* table = region + 4;
    for (uintptr_t i = 0; i < 6; ++i) table[i] = 10 * (i + 1);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(region, kWords * sizeof(uintptr_t), PAGE_READONLY, &old));
    struct { uintptr_t* table; } object{table};
    auto swap = [&](int16_t entry, uintptr_t value) { return shellext::SwapVtableEntry(&object, entry, value); };
    // Each call gives back the entry it replaced; entry 0 is the word before the table.
    EXPECT_EQ((std::vector{swap(1, 111), swap(4, 444), swap(4, 40), swap(0, 5), swap(kLastEntry, 6)}),
              (std::vector<uintptr_t>{10, 40, 444, 0, 0}));
    MEMORY_BASIC_INFORMATION memory{};
    EXPECT_TRUE(VirtualQuery(&table[3], &memory, sizeof memory) && memory.Protect == PAGE_READONLY);
    for (int16_t entry : {int16_t(kLastEntry + 1), int16_t{32767}, int16_t{-32768}, kFirstBelow})
        EXPECT_EQ(ErrorNumberOf([&] { swap(entry, 9); }), base::err::Overflow) << entry;
    std::vector<uintptr_t> expected{0, 0, 0, 5, 111, 20, 30, 40, 50, 60};
    expected.resize(kWords);
    expected[4 + kLastEntry - 1] = 6;
    EXPECT_EQ(std::vector<uintptr_t>(region, region + kWords), expected);
    VirtualFree(region, 0, MEM_RELEASE);
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

// The read-only class table holds the bound method only while an object lives, on any thread.
TEST_F(Handler, ObjectsBindTheTableWhileTheyLiveOnAnyThread) {
    uintptr_t* table = TableOf(CreateHandler().get());
    const uintptr_t classEntry = table[3];
    ASSERT_NE(classEntry, reinterpret_cast<uintptr_t>(&shellext::ShellQueryContextMenu));
    auto a = CreateHandler();
    auto b = CreateHandler();
    EXPECT_EQ(TableOf(b.get()), table) << "one table for the class";
    EXPECT_EQ(table[3], reinterpret_cast<uintptr_t>(&shellext::ShellQueryContextMenu));
    EXPECT_EQ(ItemsAdded(a.get()), 2);
    PopupMenu popup;  // the entry kept aside is the class's own method: it adds nothing
    EXPECT_EQ(reinterpret_cast<MenuMethod>(classEntry)(a.get(), popup, 0, 100, 200, 0), S_OK);
    EXPECT_EQ(popup.Entries(), kPlainMenu);
    a.Reset();
    EXPECT_EQ(ItemsAdded(b.get()), 2) << "B lost its item when A went";
    b.Reset();
    EXPECT_EQ(table[3], classEntry);

    // A is made on one thread and released on another, while B lives here.
    IContextMenu* other = nullptr;
    std::thread([&] { (other = CreateHandler().get())->AddRef(); }).join();
    b = CreateHandler();
    std::thread([&] { other->Release(); }).join();
    EXPECT_EQ(ItemsAdded(b.get()), 2);
    b.Reset();
    EXPECT_EQ(table[3], classEntry);

    // Two threads creating and releasing at once: every object gets its item.
    int missing[2] = {};
    auto churn = [&](int thread) {
        for (int i = 0; i < 300; ++i) missing[thread] += ItemsAdded(CreateHandler().get()) != 2;
    };
    std::thread first(churn, 0);
    churn(1);
    first.join();
    EXPECT_EQ(missing[0] + missing[1], 0);
    EXPECT_EQ(table[3], classEntry);
}

}  // namespace
