#include "viewcli/ViewOptions.h"

#include "viewcli/Texts.h"

namespace viewcli {

bool ViewOptions::Parse(const QStringList& arguments, QString& error)
{
    bool info = false;
    bool exporting = false;
    bool bandGiven = false;
    bool objectGiven = false;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&](QString& into) {
            if (i + 1 >= arguments.size()) {
                error = QString::fromUtf8(text::kMissingValue).arg(argument);
                return false;
            }
            into = arguments[++i];
            return true;
        };
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            action = Action::Help;
            return true;
        }
        if (argument == QLatin1String("--version")) {
            action = Action::Version;
            return true;
        }
        if (argument == QLatin1String("--info")) {
            info = true;
        } else if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument == QLatin1String("--export")) {
            exporting = true;
            if (!value(exportPath))
                return false;
        } else if (argument == QLatin1String("--object")) {
            objectGiven = true;
            if (!value(object))
                return false;
        } else if (argument == QLatin1String("--band")) {
            QString number;
            if (!value(number))
                return false;
            bool ok = false;
            band = number.toLongLong(&ok);
            if (!ok || band < 1) {
                error = QString::fromUtf8(text::kBadBand).arg(number);
                return false;
            }
            bandGiven = true;
        } else if (argument == QLatin1String("--")) {
            files += arguments.mid(i + 1);
            break;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            error = QString::fromUtf8(text::kUnknownOption).arg(argument);
            return false;
        } else {
            files += argument;
        }
    }
    if (info && exporting) {
        error = QString::fromUtf8(text::kBothActions);
        return false;
    }
    if (!info && !exporting) {
        error = QString::fromUtf8(text::kNoAction);
        return false;
    }
    if (files.isEmpty()) {
        error = QString::fromUtf8(text::kNoFile);
        return false;
    }
    if (files.size() > 1) {
        error = QString::fromUtf8(text::kTwoFiles).arg(files[0], files[1]);
        return false;
    }
    file = files[0];
    if (info) {
        if (objectGiven || bandGiven) {
            error = QString::fromUtf8(text::kObjectWithoutExport);
            return false;
        }
        action = Action::Info;
        return true;
    }
    if (json) {
        error = QString::fromUtf8(text::kJsonWithoutInfo);
        return false;
    }
    const QString lower = exportPath.toLower();
    exportPng = lower.endsWith(QLatin1String(".png"));
    if (!exportPng && !lower.endsWith(QLatin1String(".csv"))) {
        error = QString::fromUtf8(text::kBadExtension).arg(exportPath);
        return false;
    }
    if (bandGiven && !exportPng) {
        error = QString::fromUtf8(text::kBandWithCsv);
        return false;
    }
    action = Action::Export;
    return true;
}

}  // namespace viewcli
