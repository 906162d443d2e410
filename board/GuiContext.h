#pragma once
// Rendering text needs a QGuiApplication. Tools without windows (the command
// line, tests) get one on the offscreen platform unless a platform is chosen.
namespace vorlix {

// Creates the process's QGuiApplication if none exists yet; it lives until exit.
void EnsureGuiApplication();

}  // namespace vorlix
