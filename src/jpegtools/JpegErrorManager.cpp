#include "jpegtools/JpegErrorManager.h"

namespace {

void ExitWithJump(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Nothing is printed; the library passes on only its first warning unless tracing.
void KeepFirstWarning(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    if (manager->firstWarning[0] == '\0') (*info->err->format_message)(info, manager->firstWarning);
}

} // namespace

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& manager) {
    jpeg_error_mgr* base = jpeg_std_error(&manager.base);
    base->error_exit = ExitWithJump;
    base->output_message = KeepFirstWarning;
    manager.message[0] = '\0';
    manager.firstWarning[0] = '\0';
    return base;
}
