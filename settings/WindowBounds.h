#pragma once
// The main window's stored bounds and the rules that bring them back on screen.
#include <QSize>
#include <optional>

namespace vorlix {

constexpr int kDesignWidth = 443;
constexpr int kDesignHeight = 511;
constexpr int kMinWindowWidth = 300;
constexpr int kMinWindowHeight = 350;

struct TWindowBounds {
    int Left = 0;
    int Top = 0;
    int Width = kDesignWidth;
    int Height = kDesignHeight;
};

// Which of the four values were absent or repaired and must be written back.
struct TBoundsRepairs {
    bool Left = false;
    bool Top = false;
    bool Width = false;
    bool Height = false;
};

struct TStoredBounds {
    std::optional<int> Left, Top, Width, Height;
};

// Width and height first, so that left and top are checked against the repaired size.
TWindowBounds RepairWindowBounds(const TStoredBounds& stored, QSize screen, TBoundsRepairs& repairs);

}  // namespace vorlix
