#include "layer/media/theora_stock.h"

namespace layer {

int FindStockEntry(const TheoraDecoder* decoder, int frame) {
    for (int i = 0; i < decoder->stock_size; ++i) {
        const TheoraStockEntry& entry = decoder->stock[i];
        if (entry.valid.load(std::memory_order_acquire) != 0 && entry.frame == frame) {
            return i;
        }
    }
    return -1;
}

int HoldStockEntry(TheoraDecoder* decoder, int frame) {
    for (int i = 0; i < decoder->stock_size; ++i) {
        const TheoraStockEntry& entry = decoder->stock[i];
        if (entry.valid.load(std::memory_order_acquire) == 0 || entry.frame != frame) {
            continue;
        }
        decoder->reading_entry = i;
        if (entry.valid != 0 && entry.frame == frame) {
            return i;
        }
        decoder->reading_entry = -1;
    }
    return -1;
}

void ReleaseHeldStockEntry(TheoraDecoder* decoder) {
    decoder->reading_entry = -1;
    // The thread may have been kept from freeing it.
    WakeTheoraWorker(decoder);
}

void ReleaseStockEntry(TheoraDecoder* decoder, int index) {
    TheoraStockEntry& entry = decoder->stock[index];
    entry.valid = 0;
    if (decoder->reading_entry == index) {
        entry.valid = 1;
    }
}

}  // namespace layer
