#pragma once
// Wave playback as the program uses it: asynchronous and looping, one sound at a time.

#include <QString>
#include <functional>

namespace platform {

// Starts `file` (a path as the program builds it, resolved on this file system) playing in
// a loop and returns at once; whatever this program was playing stops. A missing or
// unreadable file, or a machine without an audio device, plays nothing and reports nothing.
void PlaySound(const QString& file);

// Stops whatever this program plays.
void StopSound();

// While a hook is installed, PlaySound hands it the file as given and plays nothing, so tests
// can follow the sounds without audio. Returns the previous hook; an empty one restores playback.
using SoundHook = std::function<void(const QString& file)>;
SoundHook SetSoundHook(SoundHook hook);

} // namespace platform
