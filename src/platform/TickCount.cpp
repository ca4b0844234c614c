#include "platform/TickCount.h"

#include <chrono>

#include <QApplication>

uint32_t GetTickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int GetDoubleClickTime()
{
    return QApplication::doubleClickInterval();
}
