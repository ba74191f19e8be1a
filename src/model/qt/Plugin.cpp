// The entry points of the model module, which the program loads at the first use of a model
// feature: the network and keyring libraries then stay out of every plain start.
#include "model/qt/Plugin.h"
#include "app/Generate.h"
#include "model/qt/ModelActions.h"

extern "C" {

__attribute__((visibility("default"))) veltrane::qt::WindowExtension* veltrane_model_extension(
    veltrane::qt::MainWindow* window, const char* appDir, const char* userDir) {
  return new veltrane::modelui::ModelActions(*window, appDir, userDir);
}

__attribute__((visibility("default"))) int veltrane_model_generate(
    const veltrane::cli::Options* options, const veltrane::ContentRoots* roots,
    const char* programName) {
  return veltrane::cli::Generate(*options, *roots, programName);
}
}
