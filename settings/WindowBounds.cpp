#include "settings/WindowBounds.h"

namespace vorlix {
namespace {

int RepairExtent(std::optional<int> stored, int design, int screen, int minimum, bool& repaired) {
    // An absent value takes the design size, which must still fit a small screen.
    const int value = stored.value_or(design);
    repaired = !stored;
    if (value > screen) {
        repaired = true;
        return screen;
    }
    if (value < minimum) {
        repaired = true;
        return minimum + 1;
    }
    return value;
}

int RepairOrigin(std::optional<int> stored, int extent, int screen, bool& repaired) {
    const int centred = (screen - extent) / 2;
    repaired = true;
    if (!stored || *stored < 0 || *stored + extent > screen) return centred;
    repaired = false;
    return *stored;
}

}  // namespace

TWindowBounds RepairWindowBounds(const TStoredBounds& stored, QSize screen, TBoundsRepairs& repairs) {
    TWindowBounds b;
    b.Width = RepairExtent(stored.Width, kDesignWidth, screen.width(), kMinWindowWidth, repairs.Width);
    b.Height = RepairExtent(stored.Height, kDesignHeight, screen.height(), kMinWindowHeight, repairs.Height);
    b.Left = RepairOrigin(stored.Left, b.Width, screen.width(), repairs.Left);
    b.Top = RepairOrigin(stored.Top, b.Height, screen.height(), repairs.Top);
    return b;
}

}  // namespace vorlix
