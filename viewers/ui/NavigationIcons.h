#pragma once
// The pictures of the replay buttons, drawn rather than loaded.
#include <QIcon>

namespace vorlix {

enum class TNavIcon { Start, FastBack, Back, Forward, FastForward, End, Play };

QIcon NavigationIcon(TNavIcon kind);

}  // namespace vorlix
