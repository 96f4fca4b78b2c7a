#include "label/LabelReader.h"

#include "label/CLabelScanner.h"
#include "platform/HostNames.h"
#include "platform/ModalRunner.h"
#include "platform/SequentialFile.h"
#include "res/StringTable.h"

#include <array>

QString GetLabelContentType(const QString& path, const QString& shownPath)
{
    const std::optional<QString> contentType = ReadLabelContentType(path);
    if (!contentType)
        AfxMessageBox(res::Text(res::TextId::UnableToOpenFile, shownPath), MessageButtons::Ok);
    return contentType.value_or(QString());
}

std::optional<QString> ReadLabelContentType(const QString& path)
{
    SequentialFile file;
    if (!file.Open(path))
        return std::nullopt;

    // Labels are read in chunks: a line that cannot be the OBJECT line is
    // never held, and the reading stops right after the first OBJECT line.
    // A read error ends the scan with no content type.
    CLabelScanner scanner;
    std::array<char, 32 * 1024> buffer;
    while (!scanner.Done()) {
        if (scanner.CanSkipZeros() && file.SkipHole() > 0)
            scanner.SkipZeros();
        const long long count = file.Read(buffer.data(), buffer.size());
        if (count < 0)
            return QString();
        if (count == 0 || scanner.Feed(buffer.data(), static_cast<std::size_t>(count)))
            break;
    }
    return platform::FromHostName(scanner.Finish());
}
