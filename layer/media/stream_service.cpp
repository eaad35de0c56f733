#include "layer/media/media_services.h"
#include "layer/media/stream_sound.h"

namespace layer {

int ServiceStreamSounds() {
    if (sound_system.started == 0) {
        return -1;
    }
    for (HandleNode* node = sound_system.stream_head.next;
         node != nullptr && node != &sound_system.stream_tail; node = node->next) {
        RefillStreamSound(node->handle);
    }
    return 0;
}

}  // namespace layer
