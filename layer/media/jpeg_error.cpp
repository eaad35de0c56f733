#include "layer/media/jpeg_error.h"

namespace layer {

namespace {

void JumpOnJpegError(j_common_ptr info) {
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void DropJpegMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InstallJpegErrorExit(JpegErrorManager* errors) {
    jpeg_error_mgr* manager = jpeg_std_error(&errors->manager);
    manager->error_exit = JumpOnJpegError;
    manager->output_message = DropJpegMessage;
    return manager;
}

}  // namespace layer
