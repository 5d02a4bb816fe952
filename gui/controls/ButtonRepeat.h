#pragma once

#include <juce_events/juce_events.h>

#include <functional>

// Times the repeated clicks of a held button: the first repeat comes a fixed
// delay after the press, then one every interval, with no acceleration. A
// repeat that comes late (a busy message thread) does not bring the missed
// ones in a burst: the next follows one interval after it.
class ButtonRepeat : private juce::Timer
{
public:
    // Milliseconds on any fixed origin.
    using Clock = std::function<double()>;

    explicit ButtonRepeat (std::function<void()> onRepeat);
    ~ButtonRepeat() override;

    // A delay or interval of 0 or less switches repeating off.
    void setTimes (int initialDelayMs, int intervalMs);
    bool isOn() const noexcept { return initialDelay > 0 && interval > 0; }

    // At the press and at the release (or when the pointer leaves the button).
    void start();
    void stop();
    bool isRunning() const noexcept { return running; }

    // Fires the repeat that is due by the clock, if any. The timer calls it.
    void poll();
    void setClock (Clock newClock);

private:
    void timerCallback() override;
    void scheduleNext();

    std::function<void()> onRepeat;
    Clock clock;
    int initialDelay = 0, interval = 0;
    double nextDue = 0.0;
    bool running = false;
};
