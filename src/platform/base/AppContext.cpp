#include "platform/base/AppContext.h"

#include <QGuiApplication>
#include <QPixmapCache>

#include "platform/framework/Application.h"

namespace {

TAppContext* g_current = nullptr;
size_t g_slotIds = 0;

// The framework keys its pixmap cache by the serial numbers of pixmaps and
// palettes, which are new for every window opened: entries from a closed
// screen never match again, and their keys outlive even a clear of the cache.
// Our own controls keep their own pictures, so the cache buys nothing.
void SwitchOffPixmapCache()
{
    if (qGuiApp)
        QPixmapCache::setCacheLimit(0);
}

} // namespace

TAppContext::TAppContext() : app_(std::make_unique<TApplication>()), previous_(g_current)
{
    g_current = this;
    SwitchOffPixmapCache();
}

TAppContext::~TAppContext()
{
    TearDown();
    app_.reset();
    if (g_current == this)
        g_current = previous_;
}

TAppContext& TAppContext::Current()
{
    if (g_current)
        return *g_current;
    // For programs that own no context (benchmarks, fuzz drivers). It is never
    // destroyed: at static destruction Qt's own globals may already be gone, and
    // its states (registered fonts, widgets) would touch them. It becomes
    // current in its constructor.
    static TAppContext* fallback = nullptr;
    fallback = new TAppContext;
    return *fallback;
}

size_t TAppContext::NextSlotId()
{
    return g_slotIds++;
}

void TAppContext::Keep(size_t id, void* object, void (*destroy)(void*))
{
    if (id >= slots_.size())
        slots_.resize(id + 1);
    slots_[id] = Slot{object, destroy};
    order_.push_back(id);
}

void TAppContext::TearDown()
{
    // Forms hold controls that sign off from the unit states as they go.
    app_->DestroyForms();
    // A state freed here may ask for another one that is already gone; that one
    // is made again and freed in its turn.
    while (!order_.empty()) {
        const size_t id = order_.back();
        order_.pop_back();
        const Slot slot = slots_[id];
        slots_[id] = Slot{};
        slot.destroy(slot.object);
    }
}

void TAppContext::Reset()
{
    TearDown();
    app_ = std::make_unique<TApplication>();
    SwitchOffPixmapCache();
}
