#include "app/ui/KeyLockState.h"

#include <dlfcn.h>

#include <QGuiApplication>

namespace vorlix {
namespace {

// Xlib is looked up at run time so the editor runs without it (offscreen, Wayland).
using TXkbGetIndicatorState = int (*)(void* display, unsigned int device, unsigned int* state);
constexpr unsigned int kXkbUseCoreKbd = 0x0100;

TXkbGetIndicatorState IndicatorQuery() {
    static TXkbGetIndicatorState query = [] {
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        return lib ? reinterpret_cast<TXkbGetIndicatorState>(dlsym(lib, "XkbGetIndicatorState")) : nullptr;
    }();
    return query;
}

void* X11Display() {
    if (QGuiApplication::platformName() != "xcb") return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? static_cast<void*>(x11->display()) : nullptr;
}

}  // namespace

TKeyLocks QueryKeyLocks() {
    void* display = X11Display();
    TXkbGetIndicatorState query = display ? IndicatorQuery() : nullptr;
    unsigned int state = 0;
    if (!query || query(display, kXkbUseCoreKbd, &state) != 0) return {};
    return {(state & 1u) != 0, (state & 2u) != 0};
}

}  // namespace vorlix
