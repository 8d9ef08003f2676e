#pragma once

namespace pw {

// The four edit sounds: 0 raise, 1 lower, 2 push back, 3 pull out (and any
// other vertical-plane case), played from "sound/s0.wav" .. "sound/s3.wav".
enum class EditSound { Raise = 0, Lower = 1, PushBack = 2, PullOut = 3 };

// Where an edit operation asks for its sound. The call must return at once.
class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void PlaySound(EditSound sound) = 0;
};

}  // namespace pw
