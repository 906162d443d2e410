#pragma once
// Kept for the windows that include it from here.
#include "common/ui/SoundMessageDlg.h"
