#pragma once

namespace layer {

// The ring the window procedure fills with typed characters and editing codes and the key-input
// strings empty: 1025 bytes, one of which always stays free, so it holds at most 1024.
constexpr int kTypedCharBufferSize = 1025;

struct TypedCharBuffer {
    unsigned char bytes[kTypedCharBufferSize] = {};
    int read = 0;
    int write = 0;
};

extern TypedCharBuffer typed_char_buffer;

int IsTypedCharBufferFull();
// The bytes that can still be pushed.
int TypedCharBufferRoom();
// -1 when the ring is full, else 0.
int PushTypedChar(unsigned char byte);
// 1 for the codes of the editing keys (never the first byte of a two-byte character).
int IsEditingCode(unsigned char code);
// Reads the next character into `character`: 0 when the ring is empty or a two-byte
// character's second byte has not arrived, else the character's length (1 or 2). With
// `take` 0 the bytes stay in the ring.
int ReadTypedChar(unsigned char character[2], int take);
// Takes one byte per pump while the window lives, up to a 0 byte, then empties the ring.
int FlushTypedChars();

}  // namespace layer
