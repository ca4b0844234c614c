#pragma once

// Everything the process keeps while it runs: the application object and one
// state object per unit that needs one (the class registry, the theme
// registry, the measuring canvases, the font cache, capture...). A unit keeps
// its state in a type of its own, made on first use through State<T>(), so the
// layers below never see the types of the layers above. The program owns the
// context; tests reset it between cases so that no case sees another's leftovers.
//
// Three pieces of process state stay outside it on purpose:
// - the live-component count (ComponentCount.h) and the skin switchers' count
//   (TSkinSwitcher::SwitcherCount): components are made before a context and
//   outlive its resets, and the counts exist to catch the ones a reset or a
//   closed screen leaves behind, so they must see every component of the process;
// - the GBK coders of TCodePage, one per thread: they hold no data between calls
//   (each call resets them), and the stored-definition reader and the fuzz
//   programs that use them run without any context.

#include <cstddef>
#include <memory>
#include <vector>

class TApplication;

class TAppContext {
public:
    // The new context becomes the current one until it is destroyed.
    TAppContext();
    // Frees the application's forms, then the unit states newest first, then the
    // application object.
    ~TAppContext();
    TAppContext(const TAppContext&) = delete;
    TAppContext& operator=(const TAppContext&) = delete;

    // The newest context alive; without one, a context made on first use that
    // lasts until exit (benchmarks and tools that do not make their own).
    static TAppContext& Current();

    TApplication& Application() { return *app_; }

    // The unit's state, made (default-constructed) on first use.
    template <class T>
    T& State()
    {
        const size_t id = SlotId<T>();
        if (void* existing = Find(id))
            return *static_cast<T*>(existing);
        auto made = std::make_unique<T>();
        T* state = made.get();
        Keep(id, made.release(), [](void* p) { delete static_cast<T*>(p); });
        return *state;
    }
    // The unit's state if it has been made, else nullptr.
    template <class T>
    T* FindState() const
    {
        return static_cast<T*>(Find(SlotId<T>()));
    }
    int StateCount() const { return static_cast<int>(order_.size()); }

    // Frees everything as at exit and starts again with a fresh application object.
    void Reset();

private:
    struct Slot {
        void* object = nullptr;
        void (*destroy)(void*) = nullptr;
    };

    static size_t NextSlotId();
    template <class T>
    static size_t SlotId()
    {
        static const size_t id = NextSlotId();
        return id;
    }
    void* Find(size_t id) const { return id < slots_.size() ? slots_[id].object : nullptr; }
    void Keep(size_t id, void* object, void (*destroy)(void*));
    void TearDown();

    std::unique_ptr<TApplication> app_;
    std::vector<Slot> slots_; // by slot id
    std::vector<size_t> order_; // slot ids in the order they were made
    TAppContext* previous_ = nullptr;
};

// The current context.
inline TAppContext& AppContext()
{
    return TAppContext::Current();
}
