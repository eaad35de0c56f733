#pragma once

// The table behind one kind of layer handle. A handle carries its kind, a slot of the kind's
// table and the check number of the record in that slot, so that a handle whose record was
// deleted is refused even after its slot was reused. New records go to the used end (one past
// the highest occupied slot) while there is room; freed slots below it are reused only once
// the end of the table was reached, and until a deletion lowers the used end again.
//
// Records are allocated zero-filled from tracked memory and constructed there; `Check` names
// the record's check-number field. A record with a `DeleteNotice` (int*) gets 1 written
// through it when it is deleted. Main thread only.

#include <cstdint>
#include <new>

#include "layer/core/fatal_stop.h"
#include "layer/core/handle_kinds.h"
#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"

namespace layer {

template <typename Record, int Kind, auto Check = &Record::CheckNo>
class HandleTable {
  public:
    static constexpr int kSize = kHandleKinds[Kind].table_size;

    // A new record at the used end (the first free slot once the end was reached): its handle,
    // or -1 (or the end of the process) by the kind's rules when the table is full or memory
    // runs out. `out` (may be null) receives the record.
    int Add(Record** out) {
        if (count_ == kSize) {
            return Fail(kHandleKinds[Kind].when_full, kHandleKinds[Kind].full_text);
        }
        if (used_end_ < kSize) {
            return Place(used_end_, out);
        }
        return Place(FirstFreeSlot(), out);
    }

    // A new record in the first free slot, whatever the used end.
    int AddFirstFree(Record** out) {
        const int slot = FirstFreeSlot();
        if (slot < 0) {
            return Fail(kHandleKinds[Kind].when_full, kHandleKinds[Kind].full_text);
        }
        return Place(slot, out);
    }

    // A new record in the given slot, which must be free: its handle, or -1.
    int AddAt(int slot, Record** out) {
        if (slot < 0 || slot >= kSize || records_[slot] != nullptr) {
            return -1;
        }
        return Place(slot, out);
    }

    // Re-creates a record under a handle whose slot is free, with the handle's own check number
    // (the counter does not move): the handle, or -1.
    int Recreate(int handle, Record** out) {
        const int slot = handle & 0xFFFF;
        if (handle < 0 || (handle & kHandleKindMask) != Kind << 27 || slot >= kSize ||
            records_[slot] != nullptr) {
            return -1;
        }
        const int counter = next_check_;
        next_check_ = (handle & kCheckNumberMask) >> 16;
        const int result = Place(slot, out);
        next_check_ = counter;
        return result;
    }

    // The record a handle names, or null: the value must be non-negative, carry this kind, name
    // a slot inside the table that holds a record, and carry that record's check number. (For
    // the 65536-slot kinds this is the same as testing the value's range.)
    Record* Find(int handle) const {
        if (handle < 0 || (handle & kHandleKindMask) != Kind << 27) {
            return nullptr;
        }
        const int slot = handle & 0xFFFF;
        if (slot >= kSize) {
            return nullptr;
        }
        Record* record = records_[slot];
        if (record == nullptr || (record->*Check & 0x7FF) << 16 != (handle & kCheckNumberMask)) {
            return nullptr;
        }
        return record;
    }

    // Takes the record out of the table once its owner has released what it holds: lowers the
    // used end when the record was the topmost, writes its delete notice and frees it. 0, or
    // -1 for a handle that names no record.
    int Remove(int handle) {
        Record* record = Find(handle);
        if (record == nullptr) {
            return -1;
        }
        const int slot = handle & 0xFFFF;
        --count_;
        if (slot == used_end_ - 1) {
            int below = slot - 1;
            while (below >= 0 && records_[below] == nullptr) {
                --below;
            }
            used_end_ = count_ == 0 ? 0 : below + 1;
        }
        if constexpr (requires { record->DeleteNotice; }) {
            if (record->DeleteNotice != nullptr) {
                *record->DeleteNotice = 1;
            }
        }
        Destroy(slot);
        return 0;
    }

    // Calls `delete_one(handle)` for every live record in slot order, reading the used end
    // afresh on every step, since a deletion may lower it.
    template <typename Delete>
    void DeleteAll(Delete delete_one) {
        for (int slot = 0; slot < used_end_; ++slot) {
            if (records_[slot] != nullptr) {
                delete_one(HandleInSlot(slot));
            }
        }
    }

    // Empties the table and restarts the check numbers; records still in it are freed without
    // notices (their owners have gone).
    void Reset() {
        for (int slot = 0; slot < kSize; ++slot) {
            if (records_[slot] != nullptr) {
                Destroy(slot);
            }
        }
        count_ = 0;
        used_end_ = 0;
        next_check_ = 0;
    }

    int count() const { return count_; }
    int used_end() const { return used_end_; }
    int next_check() const { return next_check_; }

    Record* AtSlot(int slot) const { return slot >= 0 && slot < kSize ? records_[slot] : nullptr; }

    // The handle of the record in a slot, -1 when the slot is free or outside the table.
    int HandleInSlot(int slot) const {
        const Record* record = AtSlot(slot);
        return record == nullptr ? -1 : MakeLayerHandle(Kind, record->*Check & 0x7FF, slot);
    }

  private:
    static int Fail(HandleFailure failure, const char* text) {
        if (failure == HandleFailure::kFatal) {
            AbortWithError(text);
        }
        if (failure == HandleFailure::kLog) {
            WriteLog(text);
        }
        return -1;
    }

    int FirstFreeSlot() const {
        for (int slot = 0; slot < kSize; ++slot) {
            if (records_[slot] == nullptr) {
                return slot;
            }
        }
        return -1;
    }

    int Place(int slot, Record** out) {
        void* memory = AllocTrackedZeroed(sizeof(Record), __FILE__, __LINE__);
        if (memory == nullptr) {
            return Fail(kHandleKinds[Kind].when_no_memory, kHandleKinds[Kind].no_memory_text);
        }
        Record* record = new (memory) Record();
        records_[slot] = record;
        record->*Check = next_check_;
        next_check_ = (next_check_ + 1) % kCheckNumberCount;
        ++count_;
        if (slot >= used_end_) {
            used_end_ = slot + 1;
        }
        if (out != nullptr) {
            *out = record;
        }
        return MakeLayerHandle(Kind, record->*Check, slot);
    }

    void Destroy(int slot) {
        records_[slot]->~Record();
        FreeTracked(records_[slot]);
        records_[slot] = nullptr;
    }

    Record* records_[kSize] = {};
    int count_ = 0;
    int used_end_ = 0;
    int next_check_ = 0;
};

}  // namespace layer
