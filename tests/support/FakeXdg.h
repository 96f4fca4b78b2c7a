#pragma once
// A private XDG tree for one test: while the object lives, XDG_CONFIG_HOME,
// XDG_CONFIG_DIRS, XDG_DATA_HOME, XDG_DATA_DIRS, XDG_CURRENT_DESKTOP and
// PATH point into its own temporary folder (PATH at its "bin" folder only);
// the previous values come back when it goes.

#include "support/TempDir.h"

#include <QByteArray>
#include <QString>
#include <vector>

class FakeXdg {
public:
    FakeXdg();
    ~FakeXdg();
    FakeXdg(const FakeXdg&) = delete;
    FakeXdg& operator=(const FakeXdg&) = delete;

    // Relative folders of the tree.
    static constexpr const char* kConfigHome = "config";
    static constexpr const char* kConfigDir = "etc-xdg";
    static constexpr const char* kDataHome = "home-share";
    static constexpr const char* kDataDir = "share";

    const TempDir& dir() const { return m_dir; }
    QString path(const QString& relative) const { return m_dir.file(relative); }
    QString write(const QString& relative, const QByteArray& contents) const { return m_dir.write(relative, contents); }

    // Writes <dataDir>/mime/globs2 with the given lines after the header.
    void globs(const QByteArray& lines, const char* dataDir = kDataDir) const;
    // Writes a desktop entry <dataDir>/applications/<relative>.
    QString desktopEntry(const QString& relative, const QByteArray& contents, const char* dataDir = kDataDir) const;
    // Creates an executable file bin/<name> (never run) and returns its path.
    QString program(const QString& name) const;
    // Sets XDG_CURRENT_DESKTOP.
    void setDesktops(const QByteArray& desktops);

private:
    void set(const char* name, const QByteArray& value);

    TempDir m_dir;
    struct Saved {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    std::vector<Saved> m_saved;
};
