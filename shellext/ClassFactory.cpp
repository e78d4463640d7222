#include "shellext/ClassFactory.h"

#include "base/Scoped.h"
#include "shellext/ContextMenuHandler.h"
#include "shellext/Guarded.h"
#include "shellext/Server.h"

namespace shellext {

ClassFactory::ClassFactory() noexcept { ServerObjectCreated(); }

ClassFactory::~ClassFactory() { ServerObjectDestroyed(); }

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG ClassFactory::AddRef() { return ++references_; }

ULONG ClassFactory::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return Guarded([&] {
        const base::ComPtr<ContextMenuHandler> handler(new ContextMenuHandler());
        return handler->QueryInterface(iid, object);
    });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    ServerLock(lock != FALSE);
    return S_OK;
}

}  // namespace shellext
