#pragma once
// A progress window that notes every text and step it is given.

#include "RecordingSink.h"
#include "app/CProgressDlg.h"

using RecordingProgress = RecordingOf<CProgressDlg>;
