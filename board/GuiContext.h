#pragma once
// Rendering text needs a QGuiApplication. Tools without windows (the command
// line, tests) get one on the offscreen platform unless a platform is chosen.
// Drawing without text does not: a command that draws only bitmaps leaves
// it to the first font made (MakeFont), and so starts faster when there is
// no text, without the platform plugin and the font configuration.
namespace vorlix {

// Creates the process's QGuiApplication if none exists yet; it lives until exit.
// The first call must come from the main thread.
void EnsureGuiApplication();

}  // namespace vorlix
