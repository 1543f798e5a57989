#pragma once

// A player host on a simulated clock. Messages are queued at clock times and
// dispatched by the wait when their time comes; every present records the
// frame that the player shows.

#include "platform/Clock.h"
#include "playback/PlayerHost.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace playbacktest {

struct Frame {
    std::uint32_t time;
    std::int32_t animation;
    std::int32_t index;
    std::string label;
    bool operator==(const Frame&) const = default;
};

class SimHost : public playback::PlayerHost {
public:
    std::uint32_t now() override { return clock; }

    void waitUntil(std::uint32_t deadline) override
    {
        ++waits;
        if (!messages.empty() && static_cast<std::int32_t>(messages.begin()->first - deadline) < 0) {
            const auto it = messages.begin();
            if (static_cast<std::int32_t>(it->first - clock) > 0)
                clock = it->first;
            const auto message = it->second;
            messages.erase(it);
            message();
            return;
        }
        if (static_cast<std::int32_t>(deadline - clock) > 0)
            clock = deadline;
    }

    bool terminating() override { return ending; }
    bool CanDraw() override { return canDraw; }
    TDirectDrawSurface* Surface() override { return view; }
    void Flip() override
    {
        frames.push_back(snapshot ? snapshot() : Frame { clock, 0, 0, {} });
        clock += frameCost;
    }

    // Queues a message `delay` milliseconds from now.
    void post(std::uint32_t delay, std::function<void()> message)
    {
        messages.emplace(clock + delay, std::move(message));
    }

    std::uint32_t clock = 0;
    std::uint32_t frameCost = 0; // what composing and presenting a frame takes
    bool canDraw = true;
    bool ending = false;
    TDirectDrawSurface* view = nullptr;
    int waits = 0;
    std::multimap<std::uint32_t, std::function<void()>> messages;
    std::vector<Frame> frames;
    std::function<Frame()> snapshot;
};

// The real clock as the simulated one sees it: both run with the host's
// clock, the wall clock from `wallAtZero`, so that files settle as frames go by.
class SimRealClock : public platform::RealClock {
public:
    SimRealClock(const SimHost& host, std::int64_t wallAtZero)
        : m_host(host)
        , m_wallAtZero(wallAtZero)
    {
    }
    std::int64_t wallNs() const override { return m_wallAtZero + steadyNs(); }
    std::int64_t steadyNs() const override { return std::int64_t { m_host.clock } * 1'000'000; }

private:
    const SimHost& m_host;
    std::int64_t m_wallAtZero;
};

} // namespace playbacktest
