#pragma once
// A progress window that notes every text and step it is given.

#include "app/gui/CProgressDlg.h"
#include "open/RecordingSink.h"

using RecordingProgress = RecordingOf<CProgressDlg>;
