#pragma once

namespace platform {

// Test hooks of the file layer (tests run as root, so real permission failures never happen).

// Makes the next `count` file opens (read, create, append) fail; 0 clears it.
void FailNextOpens(int count);

// Make the next `count` file writes, flushes to disk, or renames fail; 0 clears each.
void FailNextWrites(int count);
void FailNextFlushes(int count);
void FailNextRenames(int count);

// Makes the free-space query report `bytes`; a negative value returns to the disk's answer.
void SetFreeBytesForTests(long long bytes);

// Delays every File::Read by `milliseconds` of real time; 0 turns the delay off.
void SetReadDelayMilliseconds(int milliseconds);

// For the file layer: true when a pending failure was taken and this open must fail.
bool TakeOpenFailure();

// For the file layer: true when a pending failure of that kind was taken.
bool TakeWriteFailure();
bool TakeFlushFailure();
bool TakeRenameFailure();

// For the file layer: the free bytes a test set, or a negative value.
long long FreeBytesForTests();

// For the file layer: the read delay in force.
int ReadDelayMilliseconds();

}  // namespace platform
