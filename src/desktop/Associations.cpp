#include "desktop/Associations.h"

#include <QStandardPaths>

#include <algorithm>

namespace {

QStringList CurrentDesktops() { return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts); }

}  // namespace

Associations::Associations()
    : Associations(QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation),
                   QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation), CurrentDesktops())
{
}

Associations::Associations(const QStringList& configDirs, const QStringList& dataDirs, const QStringList& desktops)
    : m_mime(std::make_unique<SharedMimeInfo>(dataDirs)),
      m_apps(std::make_unique<MimeApps>(*m_mime, configDirs, dataDirs, desktops))
{
    std::vector<Extension> extensions;
    for (const SharedMimeInfo::Extension& extension : m_mime->Extensions()) {
        if (extension.type.isEmpty())
            continue;
        extensions.push_back({extension.name, extension.type});
        if (!m_typeByName.contains(extension.type.toUpper())) {
            m_typeByName.insert(extension.type.toUpper(), extension.type);
            m_types.append(extension.type);
        }
    }
    std::stable_sort(extensions.begin(), extensions.end(),
                     [](const Extension& a, const Extension& b) { return a.name.toUpper() < b.name.toUpper(); });
    for (Extension& extension : extensions) {
        const QString key = extension.name.toUpper();
        if (m_extensionByName.contains(key))
            continue;
        m_extensionByName.insert(key, static_cast<int>(m_extensions.size()));
        m_extensions.push_back(std::move(extension));
    }
}

Associations::~Associations() = default;

const Associations::Extension* Associations::FindExtension(const QString& name) const
{
    const auto found = m_extensionByName.constFind(name.toUpper());
    return found == m_extensionByName.constEnd() ? nullptr : &m_extensions[static_cast<std::size_t>(*found)];
}

std::optional<QString> Associations::FindType(const QString& name) const
{
    const auto found = m_typeByName.constFind(name.toUpper());
    if (found == m_typeByName.constEnd())
        return std::nullopt;
    return *found;
}
