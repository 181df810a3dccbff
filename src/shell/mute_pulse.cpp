// toggleSystemMute through libpulse, which PulseAudio and PipeWire desktops both serve. One
// short-lived connection per toggle, run to completion on a private main loop with a deadline.
#include "shell/mute.h"

#include <pulse/pulseaudio.h>

#include <chrono>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kTimeout{1000};

class PulseSession {
public:
    PulseSession() : loop_(pa_mainloop_new())
    {
        context_ = pa_context_new(pa_mainloop_get_api(loop_), "Tamsa游戏盒");
    }

    ~PulseSession()
    {
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_mainloop_free(loop_);
    }

    bool connect()
    {
        if (!context_ || pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return false;
        return runUntil([this] {
                   const pa_context_state_t state = pa_context_get_state(context_);
                   return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
               })
            && pa_context_get_state(context_) == PA_CONTEXT_READY;
    }

    // Runs the operation to its end; false when it fails, the server goes or time runs out.
    bool finish(pa_operation *operation)
    {
        if (!operation)
            return false;
        const bool done = runUntil([operation] {
            return pa_operation_get_state(operation) != PA_OPERATION_RUNNING;
        });
        const bool completed = done && pa_operation_get_state(operation) == PA_OPERATION_DONE;
        pa_operation_unref(operation);
        return completed;
    }

    pa_context *context() const { return context_; }

private:
    bool runUntil(const std::function<bool()> &done)
    {
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline_ - Clock::now());
            if (left.count() <= 0 || !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)))
                return false;
            if (pa_mainloop_prepare(loop_, int(left.count())) < 0 || pa_mainloop_poll(loop_) < 0
                || pa_mainloop_dispatch(loop_) < 0)
                return false;
        }
        return true;
    }

    pa_mainloop *loop_;
    pa_context *context_ = nullptr;
    const Clock::time_point deadline_ = Clock::now() + kTimeout;
};

struct SinkQuery {
    std::string name;
    bool found = false;
    bool muted = false;
    bool succeeded = false;
};

} // namespace

bool toggleSystemMute()
{
    PulseSession session;
    if (!session.connect())
        return false;
    SinkQuery sink;
    auto serverInfo = [](pa_context *, const pa_server_info *info, void *data) {
        if (info && info->default_sink_name)
            static_cast<SinkQuery *>(data)->name = info->default_sink_name;
    };
    if (!session.finish(pa_context_get_server_info(session.context(), serverInfo, &sink)) || sink.name.empty())
        return false;
    auto sinkInfo = [](pa_context *, const pa_sink_info *info, int endOfList, void *data) {
        auto *query = static_cast<SinkQuery *>(data);
        if (!endOfList && info) {
            query->found = true;
            query->muted = info->mute != 0;
        }
    };
    if (!session.finish(pa_context_get_sink_info_by_name(session.context(), sink.name.c_str(), sinkInfo, &sink))
        || !sink.found)
        return false;
    auto done = [](pa_context *, int success, void *data) {
        static_cast<SinkQuery *>(data)->succeeded = success != 0;
    };
    return session.finish(pa_context_set_sink_mute_by_name(session.context(), sink.name.c_str(),
                                                           !sink.muted, done, &sink))
        && sink.succeeded;
}
