#pragma once
// Command bars and the file dialog, reached from the Application object.
#include <memory>
#include <string>

#include "com/dispatch.h"
#include "platform/host.h"

namespace brelm::win32 {

// `owner`: the add-in object a button's Click keeps alive while it is handled.
std::unique_ptr<CommandBar> commandBarNamed(const DispatchObject& app, const std::string& name,
                                            IUnknown* owner = nullptr);
std::unique_ptr<CommandBar> addPopupCommandBar(const DispatchObject& app, const std::string& name,
                                               bool temporary, IUnknown* owner = nullptr);
std::unique_ptr<FileDialog> saveAsFileDialog(const DispatchObject& app);

}  // namespace brelm::win32
