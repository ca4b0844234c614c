#include "platform/base/TickCount.h"

#include <chrono>

#include <QApplication>

#include "platform/base/AppContext.h"

namespace {

struct TickState {
    std::function<uint32_t()> source;
};

} // namespace

uint32_t GetTickCount()
{
    if (const TickState* state = AppContext().FindState<TickState>(); state && state->source)
        return state->source();
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int GetDoubleClickTime()
{
    return QApplication::doubleClickInterval();
}

void SetTickSource(std::function<uint32_t()> source)
{
    AppContext().State<TickState>().source = std::move(source);
}
