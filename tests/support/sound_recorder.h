#pragma once

// Records the sound manager's layer and MIDI library calls in place of the real ones, one text
// per call, for the lifetime of the scope. Loads answer handles 101, 102, ...; base frequencies
// are 22050; a handle plays while it is in `Playing()`.

#include <set>
#include <string>
#include <vector>

namespace test {

class SoundRecorder {
  public:
    SoundRecorder();
    ~SoundRecorder();
    SoundRecorder(const SoundRecorder&) = delete;
    SoundRecorder& operator=(const SoundRecorder&) = delete;

    // The calls since the last Clear, e.g. "StartSound(101,3,1)".
    const std::vector<std::string>& Calls() const;
    // Only the calls whose name is one of `names`.
    std::vector<std::string> CallsNamed(const std::vector<std::string>& names) const;
    void Clear();
    // Clears the calls and the playing handles and starts the handles at 101 again.
    void Reset();

    std::set<int>& Playing();
};

}  // namespace test
