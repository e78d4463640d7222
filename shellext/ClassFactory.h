// The class factory of cMenu: creates context-menu handlers for the shell.
#pragma once
#include <windows.h>

#include <atomic>

namespace shellext {

class ClassFactory final : public IClassFactory {
public:
    ClassFactory() noexcept;
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory();
    std::atomic<ULONG> references_{1};
};

}  // namespace shellext
