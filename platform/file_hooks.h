#pragma once

namespace platform {

// Test hooks of the file layer (tests run as root, so real permission failures never happen).

// Makes the next `count` file opens (read, create, append) fail; 0 clears it.
void FailNextOpens(int count);

// Delays every File::Read by `milliseconds` of real time; 0 turns the delay off.
void SetReadDelayMilliseconds(int milliseconds);

// For the file layer: true when a pending failure was taken and this open must fail.
bool TakeOpenFailure();

// For the file layer: the read delay in force.
int ReadDelayMilliseconds();

}  // namespace platform
