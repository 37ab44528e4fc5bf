#pragma once
// The hosts' object models reached by late binding. Each wrapper holds one
// counted reference to its host object and releases it when destroyed.
#include <memory>

#include "com/dispatch.h"
#include "hosts/host_variant.h"
#include "platform/host.h"

namespace brelm::win32 {

// Wraps the Application object the host passed at connection. The event
// sinks made through it keep `owner`, the add-in object, alive while they
// deliver an event.
std::shared_ptr<SheetApp> makeSheetApp(IDispatch* application, IUnknown* owner = nullptr);
std::shared_ptr<SlideApp> makeSlideApp(IDispatch* application, IUnknown* owner = nullptr);

// Wraps a document window object (also used for event arguments).
std::shared_ptr<DocWindow> makeDocWindow(const DispatchObject& window, HostKind kind);

std::shared_ptr<Document> makeDocument(const DispatchObject& document, HostKind kind);

}  // namespace brelm::win32
