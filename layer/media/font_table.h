#pragma once

// The font table: 40 slots, each empty or owning one FontRecord, and the font handles that
// name them (kind 4, slot in bits 0-15, check number in bits 16-26).

#include "layer/media/font_record.h"

namespace layer {

struct FontTable {
    FontRecord* slots[kFontSlotCount];
    // The check number of the next font made without one; wraps from 2047 to 0.
    int check_counter;
};

extern FontTable font_table;

constexpr int kFontCheckNumberCount = 2048;

int MakeFontHandle(int slot, int check_number);
// The record a live font handle names, or null.
FontRecord* GetFontRecord(int handle);
// 1 for a live font handle, else 0.
int TestFontHandle(int value);
// The handle of the font in a slot, -1 when the slot is empty.
int FontHandleInSlot(int slot);

// 1 while DirectDraw is in use and its object does not exist: font calls refuse then.
int GraphicsNotReady();

int SetFontCharacterGap(int gap, int handle);
// Copies the face name (up to 256 bytes) and the size and thickness; any output may be null.
int QueryFontInfo(char* face, int* size, int* thickness, int handle);

}  // namespace layer
