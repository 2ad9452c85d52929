#pragma once

namespace tamber {

// Plays square-wave tones one after the other, without blocking the caller.
class ToneGenerator
{
public:
    virtual ~ToneGenerator() = default;
    // Appends a tone behind those still queued.
    virtual void queueTone(int frequencyHz, int durationMs) = 0;
    // How much of the queued tones is still to be played.
    virtual int queuedMs() const = 0;
};

// The audio stream that the built-in synthesizer and the tones play through.
class AudioEngine
{
public:
    virtual ~AudioEngine() = default;
    // Starts the stream if it is not running; false when no audio output can be opened.
    virtual bool start() = 0;
};

} // namespace tamber
