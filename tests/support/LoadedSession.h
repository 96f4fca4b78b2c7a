#pragma once
// A browser session loaded for a program folder, as the application loads
// it when the user chooses to explore.

#include "session/BrowserSession.h"

class LoadedSession : public BrowserSession {
public:
    explicit LoadedSession(const QString& programDir) { Load(programDir); }
};
