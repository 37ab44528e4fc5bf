#pragma once
// Command bars and the file dialog, reached from the Application object.
#include <memory>
#include <string>

#include "com/dispatch.h"
#include "platform/host.h"

namespace brelm::win32 {

std::unique_ptr<CommandBar> commandBarNamed(const DispatchObject& app, const std::string& name);
std::unique_ptr<CommandBar> addPopupCommandBar(const DispatchObject& app, const std::string& name,
                                               bool temporary);
std::unique_ptr<FileDialog> saveAsFileDialog(const DispatchObject& app);

}  // namespace brelm::win32
