#pragma once
// A sound sink for tests: remembers every sound it was asked for.
#include <vector>

#include "edit/SoundSink.h"

namespace pw::test {

class RecordingSound : public SoundSink {
public:
    void PlaySound(EditSound sound) override { played.push_back(sound); }
    std::vector<EditSound> played;
};

}  // namespace pw::test
