#pragma once

#include "app/CommandLine.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/WindowExtension.h"

namespace veltrane::modelui {

// The module's file name, beside the program.
inline constexpr const char* kModuleName = "libveltrane-model.so";

using MakeExtension = qt::WindowExtension* (*)(qt::MainWindow*, const char*, const char*);
using RunGenerate = int (*)(const cli::Options*, const ContentRoots*, const char*);

}  // namespace veltrane::modelui
