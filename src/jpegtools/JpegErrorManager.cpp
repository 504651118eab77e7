#include "jpegtools/JpegErrorManager.h"

namespace {

void ExitWithJump(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (corrupt data the library can continue past) are not shown.
void IgnoreMessage(j_common_ptr) {}

} // namespace

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& manager) {
    jpeg_error_mgr* base = jpeg_std_error(&manager.base);
    base->error_exit = ExitWithJump;
    base->output_message = IgnoreMessage;
    manager.message[0] = '\0';
    return base;
}
