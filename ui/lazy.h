// A window that comes into being the first time any code touches it, hidden,
// is announced to its owner (WindowMade, where the owner has one), runs its
// load handler at that moment, and then stays loaded.
#pragma once

#include <memory>

namespace korvell {

template <class Window, class Owner> class Lazy {
public:
    explicit Lazy(Owner& Mod) : Mod(Mod) {}

    Window* operator->() { return get(); }
    Window& operator*() { return *get(); }

    Window* get() {
        if (!W) {
            W = std::make_unique<Window>(Mod);
            if constexpr (requires(Owner & o) { o.WindowMade(W.get()); }) Mod.WindowMade(W.get());
            if constexpr (requires(Window & w) { w.Form_Load(); }) W->Form_Load();
        }
        return W.get();
    }

    bool Loaded() const { return W != nullptr; }

private:
    Owner& Mod;
    std::unique_ptr<Window> W;
};

} // namespace korvell
