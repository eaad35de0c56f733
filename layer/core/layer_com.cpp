#include "layer/core/layer_com.h"

#include "layer/core/layer_log.h"
#include "layer/core/startup_texts.h"

namespace layer {
namespace {

int com_started = 0;

}  // namespace

int StartCom() {
    if (com_started != 0) {
        return -1;
    }
    WriteLog(kComStartingText);
    WriteLog(kComStartedText);
    com_started = 1;
    return 0;
}

int EndCom() {
    if (com_started != 0) {
        WriteLog(kComEndedText);
        com_started = 0;
    }
    return 0;
}

}  // namespace layer
