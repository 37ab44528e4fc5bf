#pragma once
// The hosts' object models reached by late binding. Each wrapper holds one
// counted reference to its host object and releases it when destroyed.
#include <memory>

#include "com/dispatch.h"
#include "platform/host.h"

namespace brelm::win32 {

// Where the two hosts' object models differ below the Application.
enum class HostFlavor { Sheet, Slide };

// Wraps the Application object the host passed at connection.
std::shared_ptr<SheetApp> makeSheetApp(IDispatch* application);
std::shared_ptr<SlideApp> makeSlideApp(IDispatch* application);

// Wraps a document window object (also used for event arguments).
std::shared_ptr<DocWindow> makeDocWindow(const DispatchObject& window, HostFlavor flavor);

std::shared_ptr<Document> makeDocument(const DispatchObject& document, HostFlavor flavor);

}  // namespace brelm::win32
