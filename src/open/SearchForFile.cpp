#include "open/SearchForFile.h"

#include "platform/FileFinder.h"
#include "platform/ProgressSink.h"
#include "platform/WinTypes.h"
#include "res/StringTable.h"

#include <memory>
#include <vector>

namespace {

// One folder of the walk: its open listing and the length of its path in
// the walk's path text, which grows by "/" and a name on the way down and
// is cut back on the way up.
struct Level {
    Level() { finder.SetDetails(false); }  // only folders and names matter here
    FileFinder finder;
    qsizetype pathLength = 0;
    bool started = false;  // the listing's first entry has been taken
};

}  // namespace

bool SearchForFile(QString folder, QString fileName, QString& foundPath, ProgressSink* progress)
{
    // Each folder entered is shown and counted.
    const auto visit = [progress](const QString& entered) {
        if (!progress)
            return;
        progress->SetMessageText(res::Text(res::TextId::ScanningFolder, entered));
        progress->StepIt();
    };
    QString path = std::move(folder);

    visit(path);
    std::vector<std::unique_ptr<Level>> levels;  // the open listings, start folder first
    {
        auto start = std::make_unique<Level>();
        if (!start->finder.FindFirst(path + QStringLiteral("\\*")))
            return false;
        start->pathLength = path.size();
        levels.push_back(std::move(start));
    }

    while (!levels.empty()) {
        Level& level = *levels.back();
        if (level.started && !level.finder.FindNext()) {
            // This folder is done: back to its parent's next entry.
            levels.pop_back();
            if (!levels.empty())
                path.truncate(levels.back()->pathLength);
            continue;
        }
        level.started = true;
        const FindEntry& entry = level.finder.Entry();
        if (entry.name.startsWith(u'.'))
            continue;
        if (entry.attributes == FILE_ATTRIBUTE_DIRECTORY) {
            path += u'/';
            path += entry.name;
            visit(path);
            auto sub = std::make_unique<Level>();
            sub->pathLength = path.size();
            if (sub->finder.FindFirstIn(level.finder, QStringLiteral("*")))
                levels.push_back(std::move(sub));
            else
                path.truncate(level.pathLength);  // unreadable or empty: nothing below it
            continue;
        }
        if (QString::compare(entry.name, fileName, Qt::CaseInsensitive) == 0) {
            path += u'/';
            path += entry.name;
            foundPath = path.replace(u'/', u'\\');
            return true;  // the open listings close as the levels go
        }
    }
    return false;
}
